#include "controls/dragdrop/format_map.h"

#include <cstddef>

void TDataFormatMap::Add(const TFormatClassInfo* dataClass, const TFormatClassInfo* clipboardClass,
                         TConversionScopes scopes, int priority) {
    TFormatMapEntry entry{dataClass, clipboardClass, 0, scopes};
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].dataClass == dataClass && entries_[i].clipboardClass == clipboardClass) {
            entry = entries_[i];
            entry.scopes |= scopes;
            entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    if (scopes & csWrite) entry.priority = priority;

    // Last run of entries of the same data class; the first entry of the map
    // is examined too, so the order never depends on registration order.
    std::ptrdiff_t last = -1;
    for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(entries_.size()) - 1; i >= 0; --i) {
        if (entries_[static_cast<size_t>(i)].dataClass == dataClass) {
            last = i;
            break;
        }
    }
    if (last < 0) {
        entries_.push_back(entry);
        return;
    }
    std::ptrdiff_t at = last;
    while (at >= 0 && entries_[static_cast<size_t>(at)].dataClass == dataClass &&
           entries_[static_cast<size_t>(at)].priority >= entry.priority)
        --at;
    // `at` is the first lower-priority entry of the run (insert after it), or
    // the entry before the run (insert before the run, which is the same place).
    entries_.insert(entries_.begin() + (at + 1), entry);
}

TDataFormatMap& DataFormatMap() {
    static TDataFormatMap map;
    return map;
}
