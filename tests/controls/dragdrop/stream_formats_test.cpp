// Streams and virtual files: the IStream adapter, file group descriptors
// and "FileContents" read per file into named streams.
#include <gtest/gtest.h>

#include "controls/dragdrop/stream_formats.h"
#include "framework/exceptions.h"
#include "tests/controls/dragdrop/test_data_object.h"

TEST(FixedStreamAdapter, FirstReadStartsAtTheBeginningAndStatHasNoName) {
    auto* stream = new TStringStream("abcdef");
    stream->Seek(0, TSeekOrigin::soEnd);
    ComPtr<IStream> s(new TFixedStreamAdapter(stream, TStreamAdapter::Ownership::Owned));
    char buf[8] = {};
    ULONG got = 0;
    EXPECT_EQ(s->Read(buf, 4, &got), S_OK);
    EXPECT_EQ(std::string(buf, got), "abcd");
    EXPECT_EQ(s->Read(buf, 4, &got), S_FALSE);
    EXPECT_EQ(std::string(buf, got), "ef");
    STATSTG st{};
    ASSERT_EQ(s->Stat(&st, STATFLAG_DEFAULT), S_OK);
    EXPECT_EQ(st.pwcsName, nullptr);
    EXPECT_EQ(st.cbSize.QuadPart, 6u);

    // After an explicit seek the adapter leaves the position alone.
    auto* other = new TStringStream("xyz");
    ComPtr<IStream> t(new TFixedStreamAdapter(other, TStreamAdapter::Ownership::Owned));
    LARGE_INTEGER two{.QuadPart = 2};
    t->Seek(two, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(t->Read(buf, 4, &got), S_FALSE);
    EXPECT_EQ(std::string(buf, got), "z");
}

TEST(VirtualFiles, ContentsPerFileIntoNamedStreams) {
    TUnicodeFileGroupDescriptorClipboardFormat names;
    names.Names = {L"Bestellung.QTF", L"Info.Rtf"};
    dropblocks::Bytes block(names.GetSize());
    ASSERT_TRUE(names.WriteData(block.data(), block.size()));
    TestDataObject obj(Registered("FileGroupDescriptorW"), block);
    const CLIPFORMAT contents = Registered("FileContents");
    obj.entries.push_back({contents, Medium::Global, {'Q', 'T', 'F'}, 0});
    obj.entries.push_back({contents, Medium::Stream, {'{', '\\', 'r', 't', 'f'}, 1});
    TDataStreamDataFormat streams(nullptr);
    ASSERT_TRUE(streams.GetData(&obj));
    ASSERT_EQ(streams.Streams.Count(), 2);
    EXPECT_EQ(streams.Streams.Names(1), "Info.Rtf");
    EXPECT_EQ(streams.Streams.Streams(0)->Size(), 3);
    EXPECT_EQ(streams.Streams.Streams(1)->Size(), 5);
    EXPECT_EQ(obj.mediumOwner.addrefs, obj.mediumOwner.releases);
    EXPECT_EQ(ErrorOf<Exception>([&] { names.Filenames(2); }), "Filename index out of bounds (2)");
}
