// The "Data" stream of an edit-button collection: a byte layout that stores
// every button's bounds, flags, caption and second text. Pure code: the
// collection turns its buttons into records and back.
//
// Layout (little-endian): a 32-bit button count, then per button a 32-bit
// record size (30; larger sizes are read and their surplus skipped), a
// 32-bit length word (low half: caption length + 1; high half: text length
// + 1, or 0 for a button without text), the 30-byte record, the caption with
// its terminating zero and, when present, the text with its zero.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct EditButtonRecord {
    int layout = 2;
    int32_t tag = 0;
    int kind = 0;
    bool toggle = false;
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
    int32_t image_index = -1;
    bool enabled = true;
    bool collection_member = false;
    int anchor = 0;
    int disabled_look = 1;
    bool coordinate_mode = false;
    bool auto_reset = true;
    std::string caption;
    std::string text;  // empty: stored as "no text"

    bool operator==(const EditButtonRecord&) const = default;
};

inline constexpr uint32_t kEditButtonRecordSize = 30;

// Coordinates outside the 16-bit range are clamped; captions and texts
// longer than 65,534 bytes are cut (their length word is 16 bits).
std::vector<uint8_t> EncodeEditButtonData(const std::vector<EditButtonRecord>& buttons);

// Reads a whole stream. Refuses (nullopt) a stream whose count, record sizes
// or lengths do not fit the bytes there are, or whose strings lack their
// terminating zero; nothing is read partly. Coordinates are sign-extended;
// a kind above 6 reads as 1, a layout above 4 as 2, an anchor above 10 as
// 0 and a disabled look above 2 as 1.
std::optional<std::vector<EditButtonRecord>> DecodeEditButtonData(const uint8_t* data, size_t size);
inline std::optional<std::vector<EditButtonRecord>> DecodeEditButtonData(const std::vector<uint8_t>& bytes) {
    return DecodeEditButtonData(bytes.data(), bytes.size());
}
