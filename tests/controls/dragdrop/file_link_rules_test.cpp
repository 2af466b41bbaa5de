// File link text rules without a file system: resolution through the roots
// (also that nothing outside a root or relative is ever looked up), the
// placeholder form, the link scanner and the setup file's lines.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "controls/dragdrop/file_link_rules.h"
#include "framework/strings.h"

namespace {

const TDocRoots kRoots{"C:\\r\\S\\", "D:\\i\\"};

// Existence test over a fixed set of files that records every name asked.
struct FakeFiles {
    std::set<std::string> files;
    std::vector<std::string> asked;
    TFileExistsTest Test() {
        return [this](const std::string& n) {
            asked.push_back(n);
            return files.count(n) > 0;
        };
    }
};

std::vector<std::string> Items(const TStrings& list) {
    std::vector<std::string> v;
    for (int i = 0; i < list.Count(); ++i) v.push_back(list[i]);
    return v;
}

}  // namespace

TEST(FileLinkResolve, Table) {
    FakeFiles fs{{"C:\\r\\S\\Order 1.pdf", "D:\\i\\b.pdf", "E:\\x.pdf", "\\\\srv\\s\\u.pdf", "C:\\r\\S\\old.pdf"}};
    struct Case {
        TDocRoots roots;
        const char* text;
        bool dropUrls;
        const char* expected;
    };
    const Case cases[] = {
        {kRoots, "file://[SERVER]Order*1.pdf", true, "C:\\r\\S\\Order 1.pdf"},
        {kRoots, "FILE://[server]Order*1.pdf", true, "C:\\r\\S\\Order 1.pdf"},
        {kRoots, "[INTERN]b.pdf", true, "D:\\i\\b.pdf"},
        {kRoots, "file://E:\\x.pdf", true, "E:\\x.pdf"},
        {kRoots, "file://\\\\srv\\s\\u.pdf", true, "\\\\srv\\s\\u.pdf"},
        {kRoots, "\\\\old.pdf", true, "C:\\r\\S\\old.pdf"},  // legacy form below a root
        {kRoots, "file://C:\\nope.pdf", true, ""},
        {kRoots, "file://www.x.de/a", true, ""},
        {kRoots, "file://www.x.de/a", false, "www.x.de/a"},
        {kRoots, "a@b", true, ""},
        // A root that is not configured resolves nothing, even when the
        // rest names a file of the current folder.
        {{"", "D:\\i\\"}, "[SERVER]Order 1.pdf", true, ""},
        {{"", ""}, "\\\\old.pdf", true, ""},
        {{"Docs\\", ""}, "[SERVER]Order 1.pdf", true, ""},
        // Nothing may leave its root.
        {kRoots, "[SERVER]..\\..\\E:\\x.pdf", true, ""},
        {kRoots, "[INTERN]..\\r\\S\\old.pdf", true, ""},
        {kRoots, "[SERVER]sub\\...\\old.pdf", true, ""},
        {kRoots, "[SERVER]sub\\.. .\\old.pdf", true, ""},  // dots and blanks: Windows drops both
        {kRoots, "[SERVER]\\old.pdf", true, ""},
        {kRoots, "Order 1.pdf", true, ""},  // relative: never looked up
        {kRoots, "", true, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveLinkWith(c.roots, c.text, c.dropUrls, fs.Test()), c.expected) << c.text;
    }
    for (const auto& name : fs.asked) {
        const bool absolute = name.size() > 2 && (name[1] == ':' || (name[0] == '\\' && name[1] == '\\'));
        EXPECT_TRUE(absolute) << name;
        EXPECT_EQ(name.find(".."), std::string::npos) << name;
    }
}

TEST(FileLinkResolve, NamesWithAtSignsAreFilesAndDevicesNever) {
    // The existence test says yes to devices, as the file system's does.
    FakeFiles fs{{"C:\\r\\S\\Rechnung max@firma.de.pdf", "\\\\srv\\s\\an@b.pdf", "E:\\x@y.pdf",
                  "C:\\r\\S\\CON", "C:\\r\\S\\nul.txt", "C:\\r\\S\\Con.pdf", "C:\\r\\S\\COM1",
                  "C:\\r\\S\\LPT1", "C:\\r\\S\\AUX", "C:\\r\\S\\NUL", "C:\\r\\S\\sub\\prn . .",
                  "E:\\conin$"}, {}};
    // A link the paste wrote reads back as the same file.
    const std::string pasted = MakeLink(kRoots, "C:\\r\\S\\Rechnung max@firma.de.pdf", kLinkAsFileUrl, 0);
    EXPECT_EQ(pasted, "file://[SERVER]Rechnung*max@firma.de.pdf");
    EXPECT_EQ(ResolveLinkWith(kRoots, pasted, true, fs.Test()), "C:\\r\\S\\Rechnung max@firma.de.pdf");
    EXPECT_EQ(ResolveLinkWith(kRoots, "file://\\\\srv\\s\\an@b.pdf", true, fs.Test()), "\\\\srv\\s\\an@b.pdf");
    EXPECT_EQ(ResolveLinkWith(kRoots, "E:\\x@y.pdf", true, fs.Test()), "E:\\x@y.pdf");
    // Addresses stay addresses.
    EXPECT_EQ(ResolveLinkWith(kRoots, "max@firma.de", true, fs.Test()), "");
    EXPECT_EQ(ResolveLinkWith(kRoots, "max@firma.de", false, fs.Test()), "max@firma.de");
    fs.asked.clear();
    for (const char* device : {"[SERVER]CON", "[SERVER]nul.txt", "[SERVER]Con.pdf", "[SERVER]COM1", "[SERVER]LPT1",
                               "file://[SERVER]AUX", "[server]nul", "[SERVER]sub\\prn*.*.", "E:\\conin$",
                               "\\\\NUL"}) {
        EXPECT_EQ(ResolveLinkWith(kRoots, device, true, fs.Test()), "") << device;
    }
    EXPECT_EQ(fs.asked, std::vector<std::string>{});  // never asked the file system
}

TEST(FileLinkRules, DeviceNamesAndProgramFiles) {
    for (const char* device : {"CON", "con", "NUL.txt", "C:\\a\\Aux.tar.gz", "COM9", "lpt1 ", "nul. .",
                               "C:\\prn\\x.pdf", "COM\xB9", "CONOUT$"})
        EXPECT_TRUE(NamesDevice(device)) << device;
    for (const char* file : {"CONSOLE.txt", "COM10", "COM0", "LPT", "nully.pdf", "C:\\a\\conx\\b.pdf", "",
                             "Rechnung.pdf"})
        EXPECT_FALSE(NamesDevice(file)) << file;
    for (const char* program : {"C:\\a\\notepad.exe", "x.BAT", "x.cmd", "setup.msi", "a.lnk", "a.vbs",
                                "a.js", "evil.exe. ", "b.ps1", "c.scr", "d.hta"})
        EXPECT_TRUE(IsProgramFile(program)) << program;
    for (const char* document : {"a.pdf", "b.docx", "c.txt", "exe", "C:\\x.exe\\a.pdf", "d.xlsx"})
        EXPECT_FALSE(IsProgramFile(document)) << document;
}

TEST(FileLinkList, ACollectorAddsAsAddLinkDoes) {
    const std::vector<std::string> paths{"C:\\r\\S\\Order 1.pdf", "c:\\r\\s\\ORDER 1.PDF", "E:\\\xE4 z.pdf",
                                         "e:\\\xC4 Z.pdf", "[SERVER]Order 1.pdf", "E:\\other.pdf",
                                         "C:\\r\\S\\Order 1.pdf"};
    TStringList byAddLink, byCollector;
    byAddLink.Add("E:\\OTHER.PDF");
    byCollector.Add("E:\\OTHER.PDF");
    for (const auto& p : paths) AddLink(kRoots, p, byAddLink, 0);
    TLinkCollector collector(kRoots, byCollector, 0);
    for (const auto& p : paths) collector.Add(p);
    EXPECT_EQ(Items(byCollector), Items(byAddLink));
    EXPECT_EQ(Items(byCollector),
              (std::vector<std::string>{"E:\\OTHER.PDF", "[SERVER]Order 1.pdf", "E:\\\xE4 z.pdf"}));
}

TEST(FileLinkMake, PlaceholderFormAndFlags) {
    struct Case {
        const char* path;
        int flags;
        int root;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\r\\S\\Order 1.pdf", 0, 0, "[SERVER]Order 1.pdf"},
        {"c:\\R\\s\\Order 1.pdf", kLinkAsFileUrl | kLinkWithLineEnd, 0, "file://[SERVER]Order*1.pdf\r\n"},
        {"D:\\i\\a b.txt", kLinkAsFileUrl, 1, "file://[INTERN]a*b.txt"},
        {"D:\\i\\a.txt", 0, 0, "D:\\i\\a.txt"},
        {"[INTERN]C:\\r\\S\\x", 0, 0, "[INTERN]C:\\r\\S\\x"},
        {"E:\\x.pdf", kLinkWithLineEnd, 0, "E:\\x.pdf\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(MakeLink(kRoots, c.path, c.flags, c.root), c.expected) << c.path;
    // Without a configured root nothing is replaced.
    EXPECT_EQ(MakeLink({}, "C:\\a.pdf", 0, 0), "C:\\a.pdf");
}

TEST(FileLinkList, AddLinkKeepsOneEntryPerFileAndFormatJoins) {
    TStringList list;
    AddLink(kRoots, "C:\\r\\S\\Order 1.pdf", list, 0);
    AddLink(kRoots, "c:\\r\\s\\ORDER 1.PDF", list, 0);
    AddLink(kRoots, "E:\\y z.pdf", list, 0);
    AddLink(kRoots, "e:\\Y Z.pdf", list, 0);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"[SERVER]Order 1.pdf", "E:\\y z.pdf"}));
    EXPECT_EQ(FormatLinks(kRoots, list, kLinkAsFileUrl | kLinkWithLineEnd, 0),
              "file://[SERVER]Order*1.pdf\r\nfile://E:\\y*z.pdf\r\n");
}

TEST(FileLinkScan, LinksInTextOrderWithFilter) {
    const auto accept = [](const std::string& c) { return c != "C:\\nope.pdf"; };
    struct Case {
        const char* text;
        const char* filter;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"a file://[SERVER]Order*1.pdf b file://C:\\nope.pdf", "", {"[SERVER]Order 1.pdf"}},
        {"file://x.pdf\r\nfile://y.doc\nFILE://z.PDF", ".PDF", {"x.pdf", "z.PDF"}},
        {"file://a.txt", ".PDF", {}},
        {"file://noext", ".PDF", {}},
        {"file://", "", {}},
        {"", "", {}},
        {"file://file://a.pdf", "", {"file://a.pdf"}},
    };
    for (const auto& c : cases) {
        TStringList list;
        ScanLinksWith(c.text, list, c.filter, accept);
        EXPECT_EQ(Items(list), c.expected) << c.text;
    }
}

TEST(RootsSetup, LinesBecomeRootsWithDelimiters) {
    struct Case {
        const char* text;
        const char* server;
        const char* intern;
    };
    const Case cases[] = {
        {"", "", ""},
        {"C:\\r\\S", "C:\\r\\S\\", ""},
        {"\r\nD", "", "D:\\"},
        {"\\\\srv\\docs\\\r\nE:\\i\r\nthird line\r\n", "\\\\srv\\docs\\", "E:\\i\\"},
    };
    for (const auto& c : cases) {
        TStringList lines;
        lines.SetText(c.text);
        const TDocRoots roots = RootsFromSetupLines(lines);
        EXPECT_EQ(roots.Server, c.server) << c.text;
        EXPECT_EQ(roots.Intern, c.intern) << c.text;
    }
}
