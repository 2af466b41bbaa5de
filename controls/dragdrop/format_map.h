// Class identities of the drag-and-drop formats and the map of which
// clipboard format classes feed which data format classes.
//
// A format class is known by one static TFormatClassInfo (its name and its
// parent's), which stands in for a class reference: the map keys on it, a
// format list looks formats up by it, and error messages name it.
#pragma once

#include <string>
#include <vector>

struct TFormatClassInfo {
    const char* name;
    const TFormatClassInfo* parent;
    // True for this class and every class derived from `other`.
    bool InheritsFrom(const TFormatClassInfo* other) const {
        for (const TFormatClassInfo* c = this; c; c = c->parent)
            if (c == other) return true;
        return false;
    }
};

// Directions a conversion serves: reading (drop targets), writing (sources).
enum TConversionScope : unsigned { csRead = 1u, csWrite = 2u };
using TConversionScopes = unsigned;

struct TFormatMapEntry {
    const TFormatClassInfo* dataClass;
    const TFormatClassInfo* clipboardClass;
    int priority;
    TConversionScopes scopes;
};

// Entries of one data format class stay in ascending priority; a newcomer
// goes before entries of equal priority.
class TDataFormatMap {
public:
    // An entry for the same pair moves to the end and gains the scopes,
    // else a new entry (priority 0) is appended. A registration that
    // includes writing sets the priority. Then the entry is placed among the
    // entries of its data format class.
    void Add(const TFormatClassInfo* dataClass, const TFormatClassInfo* clipboardClass, TConversionScopes scopes,
             int priority);
    // Clipboard classes for the data class whose entry scopes include
    // `direction`, or whose class scopes (by the callback) do, in map order.
    template <class ClassScopes>
    std::vector<const TFormatClassInfo*> Find(const TFormatClassInfo* dataClass, TConversionScope direction,
                                              ClassScopes&& classScopes) const {
        std::vector<const TFormatClassInfo*> out;
        for (const auto& e : entries_)
            if (e.dataClass == dataClass &&
                ((e.scopes & direction) != 0 || (classScopes(e.clipboardClass) & direction) != 0))
                out.push_back(e.clipboardClass);
        return out;
    }
    const std::vector<TFormatMapEntry>& Entries() const { return entries_; }
    void Clear() { entries_.clear(); }

private:
    std::vector<TFormatMapEntry> entries_;
};

// The process-wide map, made on first use.
TDataFormatMap& DataFormatMap();
