#include <gtest/gtest.h>

#include "editors/tools/edit_button_data.h"
#include "editors/tools/short_date_format.h"
#include "framework/format_settings.h"

namespace {

// Caption "OK", layout 2, tag 7, kind 3, top 2, left 5, 16 x 16, no image,
// enabled, in a collection, anchor 1, look 1, window coordinates, auto-reset.
EditButtonRecord OkButton() {
    return {.layout = 2, .tag = 7, .kind = 3, .top = 2, .left = 5, .height = 16, .width = 16,
            .collection_member = true, .anchor = 1, .coordinate_mode = true, .caption = "OK", .text = ""};
}

const std::vector<uint8_t> kOkBytes = {
    0x01, 0, 0, 0, 0x1E, 0, 0, 0, 0x03, 0, 0, 0,                     // count, record size, lengths
    0x02, 0x00, 0x07, 0, 0, 0, 0x03, 0, 0x00, 0, 0x02, 0, 0x05, 0,   // layout .. left
    0x10, 0, 0x10, 0, 0xFF, 0xFF, 0xFF, 0xFF,                        // height, width, image
    0x01, 0x01, 0x01, 0x00, 0x01, 0x00, 0x01, 0x01,                  // flags
    'O', 'K', 0};

}  // namespace

TEST(EditButtonData, OneButtonHasItsExactBytesAndReadsBack) {
    EXPECT_EQ(EncodeEditButtonData({OkButton()}), kOkBytes);
    EXPECT_EQ(DecodeEditButtonData(kOkBytes), (std::vector<EditButtonRecord>{OkButton()}));
}

TEST(EditButtonData, RoundTripSignExtendsClampsAndNormalises) {
    EditButtonRecord a = OkButton();
    a.text = "Hinweis \xFC";
    a.left = -1;  // must not come back as 65535
    a.top = -300;
    a.toggle = true;
    a.enabled = false;
    a.anchor = 10;
    a.disabled_look = 2;
    EditButtonRecord b;
    b.image_index = 4;
    EXPECT_EQ(DecodeEditButtonData(EncodeEditButtonData({a, b})), (std::vector<EditButtonRecord>{a, b}));

    EditButtonRecord wide = OkButton();
    wide.left = 70000;
    wide.width = -40000;
    auto back = DecodeEditButtonData(EncodeEditButtonData({wide}));
    ASSERT_TRUE(back);
    EXPECT_EQ((*back)[0].left, 32767);
    EXPECT_EQ((*back)[0].width, -32768);

    std::vector<uint8_t> bytes = kOkBytes;
    bytes[12] = 9;   // layout
    bytes[18] = 9;   // kind
    bytes[36] = 11;  // anchor
    bytes[38] = 3;   // disabled look
    back = DecodeEditButtonData(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ((*back)[0].layout, 2);
    EXPECT_EQ((*back)[0].kind, 1);
    EXPECT_EQ((*back)[0].anchor, 0);
    EXPECT_EQ((*back)[0].disabled_look, 1);

    // A longer record is read and its surplus skipped.
    bytes = kOkBytes;
    bytes[4] = 32;
    bytes.insert(bytes.begin() + 12 + 30, {0xAA, 0xBB});
    EXPECT_EQ(DecodeEditButtonData(bytes), (std::vector<EditButtonRecord>{OkButton()}));
}

TEST(EditButtonData, MalformedStreamsAreRefused) {
    struct Case {
        const char* what;
        size_t at;
        std::vector<uint8_t> bytes;  // replaces the bytes from `at` on (empty: cut there)
    };
    const Case cases[] = {
        {"empty", 0, {}},
        {"count without buttons", 0, {0x02, 0, 0, 0}},
        {"huge count", 0, {0xFF, 0xFF, 0xFF, 0x7F}},
        {"record size below 30", 4, {0x1D, 0, 0, 0}},
        {"record size past the end", 4, {0xFF, 0, 0, 0}},
        {"caption length 0", 8, {0x00, 0, 0, 0}},
        {"caption length past the end", 8, {0x09, 0, 0, 0}},
        {"text length past the end", 8, {0x03, 0, 0x05, 0}},
        {"caption without its zero", 44, {'!'}},
        {"cut inside the record", 20, {}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes(kOkBytes.begin(), kOkBytes.begin() + static_cast<long>(c.at));
        if (!c.bytes.empty()) {
            bytes.insert(bytes.end(), c.bytes.begin(), c.bytes.end());
            if (c.at + c.bytes.size() < kOkBytes.size())
                bytes.insert(bytes.end(), kOkBytes.begin() + static_cast<long>(c.at + c.bytes.size()), kOkBytes.end());
        }
        EXPECT_FALSE(DecodeEditButtonData(bytes)) << c.what;
    }
    EXPECT_TRUE(DecodeEditButtonData(std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(EditButtonShortDateFormat, FollowsTheDateSeparatorAtTheTimeOfTheCall) {
    TFormatSettings saved = FormatSettings;
    FormatSettings.DateSeparator = '/';
    InitEditShortDateFormat();
    EXPECT_EQ(FormatSettings.ShortDateFormat, "dd/mm/yyyy");
    FormatSettings.DateSeparator = '.';
    InitEditShortDateFormat();
    EXPECT_EQ(FormatSettings.ShortDateFormat, "dd.mm.yyyy");
    FormatSettings = saved;
}
