// What a clicked link of the summary hands to the shell. Only web
// addresses, mail addresses and links to files are opened. Links to files
// ("file://...") the program writes itself carry document-root placeholders
// and wildcards; they go through the installed file-link resolver, and a
// link that resolves to no file opens nothing.
#pragma once

#include <functional>
#include <string>

// True for a link beginning with "file:" (any case).
bool IsFileLink(const std::string& Link);

enum class TSummaryLinkKind { Web, Mail, File, Other };
// "http:", "https:" and "www." are web, "mailto:" mail, "file:" a file;
// everything else (telnet, news, ...) is opened by no click.
TSummaryLinkKind SummaryLinkKind(const std::string& Link);

// Turns a "file://" link into what the shell should open; "" when it cannot.
using TFileLinkResolver = std::function<std::string(const std::string& Link)>;
// Installs Resolver (an empty function: none) and returns the previous one.
// With none installed the summary window resolves file links through the
// document roots; tests and the gallery install their own.
TFileLinkResolver SetFileLinkResolver(TFileLinkResolver Resolver);
// True while a resolver is installed.
bool HasFileLinkResolver();

// The text to open for Link: a web or mail link unchanged, a file link
// resolved through the installed resolver; "" when nothing may be opened
// (no resolver, nothing resolved, or another kind of link).
std::string ShellTargetOfLink(const std::string& Link);
