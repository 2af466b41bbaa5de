// Document roots and file links on a real file system and the real
// clipboard: the setup file (created once, never rewritten, moved only after
// a good copy), the folder walk, pasting files as links into a rich edit,
// copying linked files out again and the save-elsewhere flow with its
// question answered through the box hook.
#include <gtest/gtest.h>

#include <richedit.h>

#include <fstream>
#include <string>
#include <vector>

#include "controls/dialogs/message_box.h"
#include "controls/html/html_label.h"
#include "controls/dragdrop/doc_roots.h"
#include "controls/dragdrop/drop_blocks.h"
#include "controls/dragdrop/file_formats.h"
#include "controls/dragdrop/file_links_clipboard.h"
#include "foundation/file_copy.h"
#include "foundation/folder_walk.h"
#include "foundation/folders.h"
#include "foundation/user_mode.h"
#include "framework/clipboard.h"
#include "framework/cp1252.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/global_memory.h"
#include "framework/save_dialog.h"
#include "framework/strings.h"
#include "framework/sysutils.h"
#include "tests/foundation/test_folder.h"
#include "tests/framework/control_test_support.h"

static ::testing::Environment* const kRootsEnv = ::testing::AddGlobalTestEnvironment(new ControlTestEnvironment);

namespace {

std::string ReadAll(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void WriteAll(const std::string& name, const std::string& bytes) { std::ofstream(name, std::ios::binary) << bytes; }

std::vector<std::string> Items(const TStrings& list) {
    std::vector<std::string> v;
    for (int i = 0; i < list.Count(); ++i) v.push_back(list[i]);
    return v;
}

// A rich edit of the system, as the summary's text is.
class TTestRichEdit : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        static HMODULE lib = LoadLibraryA("riched20.dll");
        (void)lib;
        p.WinClassName = "RichEdit20A";
        p.SystemClass = true;
        p.Style |= ES_MULTILINE;
    }
};

void PutDropFiles(const std::vector<std::string>& names) {
    const dropblocks::Bytes block = dropblocks::WriteDropFilesAnsi(names);
    ClipboardWriter writer(Application()->Handle());
    ASSERT_TRUE(writer.SetBlock(CF_HDROP, block.data(), block.size()));
}

class DocRootsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserModeFolder(dir.Path());
        CreateDirectoryA((dir / "S").c_str(), nullptr);
        CreateDirectoryA((dir / "I").c_str(), nullptr);
        server = dir / "S\\";
        intern = dir / "I\\";
        WriteAll(dir / "_InternalRootsSetupFile.TXT", server + "\r\n" + intern + "\r\n");
        WriteAll(server + "Order 1.pdf", "order one");
        WriteAll(server + "b.pdf", "bee");
        roots = LoadDocRoots();
    }
    void TearDown() override {
        SetSaveDialogRunner(nullptr);
        SetBoxShownHook(nullptr);
        SetCopyWriteFunction(nullptr);
        SetCopyPauseFunction(nullptr);
        SetUserModeFolder("");
        SetClipboardText("");
    }
    TestFolder dir;
    std::string server, intern;
    TDocRoots roots;
};

TEST_F(DocRootsTest, SetupFileIsCreatedOnceAndNeverRewritten) {
    const std::string setup = dir / "_InternalRootsSetupFile.TXT";
    EXPECT_EQ(roots.Server, server);
    EXPECT_EQ(roots.Intern, intern);
    // Further lines and the read-only attribute stay as they were.
    WriteAll(setup, "C:\\a\r\nD:\\b\r\nthird\r\n");
    SetFileAttributesA(setup.c_str(), FILE_ATTRIBUTE_READONLY);
    const TDocRoots read = LoadDocRoots();
    EXPECT_EQ(read.Server, "C:\\a\\");
    EXPECT_EQ(ReadAll(setup), "C:\\a\r\nD:\\b\r\nthird\r\n");
    EXPECT_EQ(GetFileAttributesA(setup.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
    SetFileAttributesA(setup.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A file that cannot be read gives empty roots but keeps its lines.
    {
        HANDLE locked = CreateFileA(setup.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(locked, INVALID_HANDLE_VALUE);
        const TDocRoots none = LoadDocRoots();
        EXPECT_EQ(none.Server, "");
        CloseHandle(locked);
    }
    EXPECT_EQ(ReadAll(setup), "C:\\a\r\nD:\\b\r\nthird\r\n");
    // First use: two empty lines.
    DeleteFileA(setup.c_str());
    LoadDocRoots();
    EXPECT_EQ(ReadAll(setup), "\r\n\r\n");
}

TEST_F(DocRootsTest, OldSetupFileLeavesTheProgramFolderOnlyAfterAGoodCopy) {
    SetUserModeFolder("");
    const std::string old = GetAppDir() + kRootsSetupFileName;
    const std::string target = TInternalRootClass::SetupFileName();
    ASSERT_FALSE(target.empty());
    DeleteFileA(target.c_str());
    WriteAll(old, "X:\\moved\r\n\r\n");
    SetCopyPauseFunction([](unsigned) {});
    SetCopyWriteFunction([](void*, const char*, unsigned long) { return false; });
    LoadDocRoots();
    EXPECT_EQ(ReadAll(old), "X:\\moved\r\n\r\n");
    SetCopyWriteFunction(nullptr);
    DeleteFileA(target.c_str());
    EXPECT_EQ(LoadDocRoots().Server, "X:\\moved\\");
    EXPECT_EQ(GetFileAttributesA(old.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadAll(target), "X:\\moved\r\n\r\n");
    DeleteFileA(target.c_str());
}

TEST_F(DocRootsTest, FolderWalkListsSubfoldersFirstAndSkipsLinkedFolders) {
    CreateDirectoryA((dir / "w").c_str(), nullptr);
    CreateDirectoryA((dir / "w\\sub").c_str(), nullptr);
    WriteAll(dir / "w\\sub\\x.txt", "x");
    WriteAll(dir / "w\\y.txt", "y");
    // A link back up the tree would make the walk endless.
    const bool linked = CreateSymbolicLinkA((dir / "w\\sub\\loop").c_str(), (dir / "w").c_str(),
                                            SYMBOLIC_LINK_FLAG_DIRECTORY) != 0;
    std::vector<std::string> files;
    int folders = 0;
    WalkFolderFiles(dir / "w", [&](const std::string& f) { files.push_back(f); }, [&] { ++folders; });
    EXPECT_EQ(files, (std::vector<std::string>{dir / "w\\sub\\x.txt", dir / "w\\y.txt"}));
    EXPECT_EQ(folders, 2);
    EXPECT_TRUE(linked) << "the symbolic link could not be made, so the skip was not tried";
}

TEST_F(DocRootsTest, PastedFilesBecomeLinksInTheRichEdit) {
    TForm* form = ShowTestForm(400, 200);
    auto* rich = Place<TTestRichEdit>(form, form, 0, 0, 380, 180);
    form->Show();
    Pump();
    CreateDirectoryA((server + "f").c_str(), nullptr);
    CreateDirectoryA((server + "f\\sub").c_str(), nullptr);
    WriteAll(server + "f\\sub\\x.txt", "x");
    WriteAll(server + "f\\y.txt", "y");
    struct Case {
        std::vector<std::string> dropped;
        std::string text;
    };
    const std::vector<Case> cases = {
        {{server + "Order 1.pdf", server + "Order 1.pdf"}, "file://[SERVER]Order*1.pdf\r"},
        {{server + "f"}, "file://[SERVER]f\\sub\\x.txt\rfile://[SERVER]f\\y.txt\r"},
        {{server + "missing.pdf", server + "b.pdf"}, "file://[SERVER]b.pdf\r"},
    };
    for (const auto& c : cases) {
        SetWindowTextA(rich->Handle(), "");
        PutDropFiles(c.dropped);
        PasteWithFileLinks(rich);
        char text[1024] = {};
        GetWindowTextA(rich->Handle(), text, sizeof text);
        std::string got = text;
        std::erase(got, '\n');  // the control keeps line ends as CR
        EXPECT_EQ(got, c.text) << c.dropped[0];
    }
    // Text lines that all resolve are taken as files too.
    SetClipboardText("file://[SERVER]b.pdf\r\n" + server + "Order 1.pdf");
    TStringList list;
    EXPECT_TRUE(GetClipboardFileLinks(roots, list));
    EXPECT_EQ(Items(list), (std::vector<std::string>{"[SERVER]b.pdf", "[SERVER]Order 1.pdf"}));
    // Ordinary text is pasted as it is.
    SetWindowTextA(rich->Handle(), "");
    SetClipboardText("just text");
    PasteWithFileLinks(rich);
    EXPECT_EQ(rich->Text(), "just text");
    form->Free();
}

TEST_F(DocRootsTest, CopiedLinksPutTheFilesOnTheClipboard) {
    EXPECT_TRUE(CopyLinkedFiles("see file://[SERVER]Order*1.pdf and file://[SERVER]b.pdf", false));
    EXPECT_EQ(ClipboardText(), server + "Order 1.pdf\r\n" + server + "b.pdf");
    std::vector<std::wstring> names;
    {
        ClipboardScope scope(nullptr);
        ASSERT_TRUE(scope.Opened());
        HANDLE h = GetClipboardData(RegisterClipboardFormatA("Shell IDList Array"));
        ASSERT_NE(h, nullptr);
        GlobalLockScope lock(h);
        TPIDLClipboardFormat cida;
        ASSERT_TRUE(cida.ReadData(lock.Data(), lock.Size()));
        for (int i = 0; i < cida.Filenames.Count(); ++i) names.push_back(cida.Filenames.Get(i));
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{WidenCp1252(server + "Order 1.pdf"), WidenCp1252(server + "b.pdf")}));
    // A selection without links is not handled here; with the plain fallback
    // it goes to the clipboard as text.
    EXPECT_FALSE(CopyLinkedFiles("no links", false));
    EXPECT_FALSE(CopyLinkedFiles("no links", true));
    EXPECT_EQ(ClipboardText(), "no links");
    // A name the shell cannot parse: the text only, no promise of an ID list.
    TStringList bad;
    bad.Add("C:\\t\\a.pdf");
    bad.Add("?:\\<bad>|");
    EXPECT_TRUE(CopyFilesToClipboard(bad, false));
    EXPECT_EQ(ClipboardText(), "C:\\t\\a.pdf\r\n?:\\<bad>|");
    EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormatA("Shell IDList Array")));
    // The summary's resolver.
    EXPECT_EQ(ResolveFileLink("file://[SERVER]Order*1.pdf"), server + "Order 1.pdf");
    EXPECT_EQ(ResolveFileLink("file://[INTERN]Order*1.pdf"), "");
}

TEST_F(DocRootsTest, OneLinkedFileIsSavedElsewhere) {
    const std::string out = dir / "out\\";
    CreateDirectoryA(out.c_str(), nullptr);
    WriteUserModeString("XCopy_InitialDir", dir / "start", "");
    std::vector<std::pair<std::string, std::string>> asked;
    std::string choice;
    SetSaveDialogRunner([&](TSaveDialog& d) {
        asked.emplace_back(d.FileName, d.InitialDir);
        d.FileName = choice;
        return !choice.empty();
    });
    std::vector<std::string> boxes;
    TModalResult answer = mrOk;
    SetBoxShownHook([&](TFSB_BOX* box) {
        boxes.push_back(box->MessageLabel()->Caption());
        box->SetModalResult(answer);
    });
    const std::string link = "file://[SERVER]Order*1.pdf";
    std::string folder = dir / "start\\";
    struct Case {
        const char* what;
        std::string choice;
        TModalResult answer;
        std::string existing;   // written at the choice first ("" none)
        bool failCopy;
        bool handled;
        std::string afterwards;  // content of the choice
        size_t boxes;
    };
    const std::vector<Case> cases = {
        {"new file", out + "copy.pdf", mrOk, "", false, true, "order one", 0},
        {"overwrite yes", out + "copy.pdf", mrOk, "old", false, true, "order one", 1},
        {"overwrite no", out + "copy.pdf", mrCancel, "old", false, true, "old", 1},
        {"onto itself", server + "ORDER 1.PDF", mrOk, "", false, true, "order one", 0},
        {"failed copy", out + "fail.pdf", mrOk, "", true, true, "", 1},
        {"cancelled", "", mrOk, "", false, true, "", 0},
    };
    for (const auto& c : cases) {
        choice = c.choice;
        answer = c.answer;
        asked.clear();
        boxes.clear();
        if (!c.existing.empty()) WriteAll(c.choice, c.existing);
        SetCopyPauseFunction([](unsigned) {});
        SetCopyWriteFunction(c.failCopy ? TCopyWriteFunction([](void*, const char*, unsigned long) { return false; })
                                        : TCopyWriteFunction());
        SetClipboardText("");
        EXPECT_EQ(CopyLinkedFiles(link, false), c.handled) << c.what;
        ASSERT_EQ(asked.size(), 1u) << c.what;
        EXPECT_EQ(asked[0].first, "Order 1.pdf");
        EXPECT_EQ(asked[0].second, folder) << c.what;
        if (!c.choice.empty()) folder = ExtractFilePath(c.choice);
        EXPECT_EQ(boxes.size(), c.boxes) << c.what;
        if (!c.choice.empty()) {
            EXPECT_EQ(ReadAll(c.choice), c.afterwards) << c.what;
            DeleteFileA((out + "copy.pdf").c_str());
        }
        // Declined and cancelled: the file goes to the clipboard instead.
        if (c.answer != mrOk || c.choice.empty()) {
            EXPECT_EQ(ClipboardText(), server + "Order 1.pdf") << c.what;
        }
    }
    EXPECT_EQ(ReadAll(server + "Order 1.pdf"), "order one");
}

void PutDropFilesWide(const std::vector<std::wstring>& names) {
    const dropblocks::Bytes block = dropblocks::WriteDropFilesWide(names);
    ClipboardWriter writer(Application()->Handle());
    ASSERT_TRUE(writer.SetBlock(CF_HDROP, block.data(), block.size()));
}

std::string RichText(HWND rich) {
    char text[4096] = {};
    GetWindowTextA(rich, text, sizeof text);
    std::string got = text;
    std::erase(got, '\n');  // the control keeps line ends as CR
    return got;
}

TEST_F(DocRootsTest, ClipboardFilesThatGiveNoLinkLeaveTheTextAlone) {
    TForm* form = ShowTestForm(400, 200);
    auto* rich = Place<TTestRichEdit>(form, form, 0, 0, 380, 180);
    form->Show();
    Pump();
    std::vector<std::string> boxes;
    SetBoxShownHook([&](TFSB_BOX* box) {
        boxes.push_back(box->MessageLabel()->HTMLText().Text());
        box->SetModalResult(mrOk);
    });
    // A name as long as a path may be, and the same name with more after it:
    // cut to the limit, the longer one would name the shorter file.
    const std::string stem = server + std::string(MAX_PATH - 1 - server.size() - 4, 'n');
    WriteAll(stem + ".pdf", "kurz");
    ASSERT_EQ(ReadAll(stem + ".pdf"), "kurz");
    const std::wstring omega = WidenCp1252(server) + L"\u03A9mega.pdf";
    CloseHandle(CreateFileW(omega.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    struct Case {
        const char* what;
        std::vector<std::wstring> dropped;
        size_t boxes;
    };
    const std::vector<Case> cases = {
        {"empty list", {}, 0},
        {"deleted file", {WidenCp1252(server + "weg.pdf")}, 0},
        {"device", {WidenCp1252(server + "NUL")}, 0},
        {"no 8-bit name", {omega}, 1},
        {"too long", {WidenCp1252(stem + ".pdf - zweite Fassung.pdf")}, 1},
    };
    for (const auto& c : cases) {
        SetWindowTextA(rich->Handle(), "Hallo Welt");
        SendMessageA(rich->Handle(), EM_SETSEL, 0, 5);
        boxes.clear();
        PutDropFilesWide(c.dropped);
        PasteWithFileLinks(rich);
        EXPECT_EQ(RichText(rich->Handle()), "Hallo Welt") << c.what;
        EXPECT_EQ(boxes.size(), c.boxes) << c.what << (boxes.empty() ? "" : " box: " + boxes[0]);
    }
    EXPECT_NE(boxes.empty() ? std::string() : boxes[0], "");
    // A good name beside a refused one is linked; the refused one is told.
    SetWindowTextA(rich->Handle(), "");
    boxes.clear();
    PutDropFilesWide({omega, WidenCp1252(server + "b.pdf")});
    PasteWithFileLinks(rich);
    EXPECT_EQ(RichText(rich->Handle()), "file://[SERVER]b.pdf\r");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("?mega.pdf"), std::string::npos) << boxes[0];
    DeleteFileW(omega.c_str());
    form->Free();
}

TEST_F(DocRootsTest, TextLinesThatNameNoFileStayText) {
    TForm* form = ShowTestForm(400, 200);
    auto* rich = Place<TTestRichEdit>(form, form, 0, 0, 380, 180);
    form->Show();
    Pump();
    struct Case {
        std::string clip;
        std::string text;
    };
    const std::vector<Case> cases = {
        {server + "b.pdf\r\nzweite Zeile\r\n" + server + "Order 1.pdf\r\n",
         "file://[SERVER]b.pdf\rzweite Zeile\rfile://[SERVER]Order*1.pdf\r"},
        {server + "b.pdf\r\nohne Umbruch", "file://[SERVER]b.pdf\rohne Umbruch"},
        {server + "b.pdf\r\n" + server + "B.PDF", "file://[SERVER]b.pdf\r"},  // each file once
        {"erste Zeile\r\n" + server + "b.pdf", "erste Zeile\r" + server + "b.pdf"},  // plain text
    };
    for (const auto& c : cases) {
        SetWindowTextA(rich->Handle(), "");
        SetClipboardText(c.clip);
        PasteWithFileLinks(rich);
        EXPECT_EQ(RichText(rich->Handle()), c.text) << c.clip;
    }
    form->Free();
}

TEST_F(DocRootsTest, TheSameLinkTwiceIsOneFile) {
    std::vector<std::string> asked;
    SetSaveDialogRunner([&](TSaveDialog& d) {
        asked.push_back(d.FileName);
        return false;
    });
    SetClipboardText("");
    EXPECT_TRUE(CopyLinkedFiles("file://[SERVER]b.pdf und nochmal file://[server]B.pdf", false));
    // One file: the save-elsewhere flow, then (cancelled) the file alone.
    EXPECT_EQ(asked, std::vector<std::string>{"b.pdf"});
    EXPECT_EQ(ClipboardText(), server + "b.pdf");
}

}  // namespace
