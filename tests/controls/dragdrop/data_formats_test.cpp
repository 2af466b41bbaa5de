// Clipboard and data formats against a hand-written data object: media,
// value blocks, text derivation, file name preference, mediums released.
#include <gtest/gtest.h>

#include <memory>

#include "controls/dragdrop/drop_target.h"
#include "controls/dragdrop/file_formats.h"
#include "controls/dragdrop/text_formats.h"
#include "framework/exceptions.h"
#include "tests/controls/dragdrop/test_data_object.h"

namespace {

// The raw bytes of a registered test format.
class TRawClipboardFormat : public TCustomAnsiStringClipboardFormat {
public:
    DECLARE_CLIPBOARD_FORMAT_CLASS()
    TRawClipboardFormat() : TCustomAnsiStringClipboardFormat(TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE) {}
    CLIPFORMAT GetClipboardFormat() const override { return Registered("Ordivo test bytes"); }
};
const TClipboardFormatClass TRawClipboardFormat::Info{{"TRawClipboardFormat", &TCustomAnsiStringClipboardFormat::Info},
                                                      &CreateClipboardFormat<TRawClipboardFormat>, csRead};

dropblocks::Bytes Pattern(size_t n) {
    dropblocks::Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>((i * 7 + i / 251) & 0xFF);
    return b;
}

dropblocks::Bytes Concat(dropblocks::Bytes a, const dropblocks::Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::wstring> FilesOf(TestDataObject& obj) {
    TFileDataFormat files(nullptr);
    files.GetData(&obj);
    return files.Files.ToVector();
}

}  // namespace

TEST(ClipboardFormatMedia, StreamsAndStorages) {
    const dropblocks::Bytes big = Pattern(3 * 1048576 + 17);
    struct Case {
        const char* what;
        Medium medium;
        size_t expected;  // 0: the compound file's own size; SIZE_MAX: refused
    };
    // A size no allocation can hold, and a read that fails half-way, are
    // refused rather than taken as the data.
    const Case cases[] = {{"stream", Medium::Stream, big.size()},
                          {"short stream", Medium::ShortStream, big.size()},
                          {"storage", Medium::Storage, 0},
                          {"huge claim", Medium::HugeStream, SIZE_MAX},
                          {"failing read", Medium::FailingStream, SIZE_MAX}};
    for (const auto& c : cases) {
        TestDataObject obj(Registered("Ordivo test bytes"), big, c.medium);
        TRawClipboardFormat f;
        const bool got = f.GetData(&obj);
        EXPECT_EQ(got, c.expected != SIZE_MAX) << c.what;
        if (got && c.expected) {
            EXPECT_EQ(f.Data.size(), c.expected) << c.what;
            EXPECT_EQ(memcmp(big.data(), f.Data.data(), big.size()), 0) << c.what;
        } else if (got) {
            // A compound file in global memory holding the stream.
            ASSERT_GT(f.Data.size(), big.size());
            EXPECT_EQ(f.Data.substr(0, 4), "\xD0\xCF\x11\xE0");
        }
        EXPECT_EQ(obj.refs, 1) << c.what;
    }
}

TEST(ClipboardFormatMedia, EveryMediumReleasedAlsoOnFailure) {
    TestDataObject obj;
    obj.Offer(Registered("Preferred DropEffect"), {5, 0});  // too short for a value
    obj.Offer(CF_HDROP, dropblocks::Bytes(20, 0));            // header only
    obj.Offer(CF_UNICODETEXT, WideText(L"x"));
    TPreferredDropEffectClipboardFormat pref;
    EXPECT_FALSE(pref.GetData(&obj));
    TFileClipboardFormat files;
    EXPECT_FALSE(files.GetData(&obj));
    TUnicodeTextClipboardFormat text;
    EXPECT_TRUE(text.GetData(&obj));
    EXPECT_EQ(obj.mediumOwner.addrefs, 3u);
    EXPECT_EQ(obj.mediumOwner.releases, 3u);
}

TEST(ValueFormats, SizesTheyReadAndWrite) {
    TPreferredDropEffectClipboardFormat d;
    d.Value = 7;
    uint8_t block[8] = {};
    EXPECT_FALSE(d.WriteData(block, 3));
    EXPECT_TRUE(d.WriteData(block, 4));
    EXPECT_EQ(block[0], 7);

    TCSVClipboardFormat csv;
    csv.Lines.Add("a;b");
    const size_t n = csv.Lines.Text().size();  // "a;b\r\n"
    std::vector<uint8_t> buf(n + 2, 0xAA);
    EXPECT_FALSE(csv.WriteData(buf.data(), n + 2));
    EXPECT_TRUE(csv.WriteData(buf.data(), n + 1));
    EXPECT_EQ(buf[n], 0);
    // Reading never writes into the source's block, and an empty block is empty.
    const uint8_t src[] = {'x', ';', 'y', '!'};
    EXPECT_TRUE(csv.ReadData(src, sizeof src));
    EXPECT_EQ(csv.Lines.Text(), "x;y\r\n");
    EXPECT_EQ(src[3], '!');
    EXPECT_TRUE(csv.ReadData(src, 0));
    EXPECT_EQ(csv.Lines.Count(), 0);
}

TEST(ClipboardFormatErrors, ExactEnglishTexts) {
    TFileDataFormat files(nullptr);
    EXPECT_EQ(ErrorOf<Exception>([&] { files.CompatibleFormats().GetFormat(TTextDataFormat::Info); }),
              "Clipboard format TTextDataFormat does not exist in TFileDataFormat's list of copatible formats");
    EXPECT_NE(files.CompatibleFormats().GetFormat(TCustomSimpleClipboardFormat::Info), nullptr);
    TFileClipboardFormat hdrop;
    EXPECT_EQ(ErrorOf<Exception>([&] { hdrop.SetClipboardFormatName("x"); }), "TFileClipboardFormat.ClipboardFormat is read-only");
    TPIDLClipboardFormat cida;
    for (int i = 0; i < 4; ++i) cida.Pidls.Add({0, 0});
    EXPECT_EQ(ErrorOf<Exception>([&] { cida.Filenames.Get(3); }), "Filename index out of range");
}

TEST(TextAndFeedbackFormats, DerivationOemAndPreferredEffect) {
    TestDataObject ansi;
    ansi.Offer(CF_TEXT, {'G', 'r', 0xFC, 0xDF, 'e', 0});
    ansi.Offer(CF_OEMTEXT, {0x84, 0});  // OEM bytes are never taken as ANSI
    TTextDataFormat t2(nullptr);
    ASSERT_TRUE(t2.GetData(&ansi));
    EXPECT_EQ(t2.UnicodeText(), L"Gr\u00FC\u00DFe");
    EXPECT_EQ(t2.Text(), "Gr\xFC\xDF" "e");

    TestDataObject oemOnly(CF_OEMTEXT, {0x84, 0});
    TTextDataFormat t3(nullptr);
    EXPECT_FALSE(t3.GetData(&oemOnly));

    TTextDataFormat t4(nullptr);
    t4.SetText("\xE4");
    TOEMTextClipboardFormat oem;
    ASSERT_TRUE(t4.AssignTo(&oem));
    EXPECT_EQ(oem.Data, "\x84");

    TestDataObject feedback(Registered("Preferred DropEffect"), {5, 0, 0, 0});
    TFeedbackDataFormat f(nullptr);
    EXPECT_TRUE(f.GetData(&feedback) && f.HasData());
    EXPECT_EQ(f.PreferredDropEffect, 5u);
}

TEST(FileDataFormat, FormatPreferenceAndCodePage) {
    struct Case {
        const char* what;
        std::vector<TestDataObject::Entry> offered;
        std::vector<std::wstring> expected;
    };
    const dropblocks::Bytes ansi = dropblocks::WriteDropFilesAnsi({"C:\\t\\\xC4.QTF"});
    const Case cases[] = {
        {"wide flag 0", {{CF_HDROP, Medium::Global, ansi}}, {L"C:\\t\\\u00C4.QTF"}},
        {"FileNameW alone, no trailing zero",
         {{Registered("FileNameW"), Medium::Global, Concat(WideText(L"C:\\w.QTF"), {0, 0, 'z', 0})}},
         {L"C:\\w.QTF"}},
        {"FileName alone", {{Registered("FileName"), Medium::Global, {'C', ':', '\\', 'n', 0}}}, {L"C:\\n"}},
        {"failing CF_HDROP falls back", {{CF_HDROP, Medium::Fail, {}}, {Registered("FileName"), Medium::Global, {'f', 0}}},
         {L"f"}},
    };
    for (const auto& c : cases) {
        TestDataObject obj;
        obj.entries = c.offered;
        EXPECT_EQ(FilesOf(obj), c.expected) << c.what;
        EXPECT_EQ(obj.mediumOwner.addrefs, obj.mediumOwner.releases) << c.what;
    }
}

TEST(FileDataFormat, ShellIdListsFromRealFiles) {
    const auto names = MakeTestFiles();
    TPIDLList pidls;
    ASSERT_TRUE(FilenamesToPIDLList(names, pidls));
    ASSERT_EQ(pidls.Count(), 4);
    const dropblocks::Bytes cida = dropblocks::WriteCida(pidls.Lists());

    TestDataObject both;
    both.Offer(Registered("Shell IDList Array"), cida);
    both.Offer(CF_HDROP, HDropBlock({L"C:\\x"}));
    EXPECT_EQ(FilesOf(both), std::vector<std::wstring>{L"C:\\x"});

    TPIDLDataFormat fromNames(nullptr);
    TestDataObject hdrop(CF_HDROP, HDropBlock(names));
    ASSERT_TRUE(fromNames.GetData(&hdrop));
    EXPECT_EQ(fromNames.Filenames.ToVector(), names);
    EXPECT_THROW(FilenamesToPIDLList({L"C:\\ddtest\\missing\\nothing.txt"}, pidls), Exception);
}
