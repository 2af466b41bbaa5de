// What a clicked link of the summary hands to the shell. Links to files
// ("file://...") the program writes itself carry document-root placeholders
// and wildcards; they go through the installed file-link resolver first, and
// the raw link text is used when the resolver finds nothing. Other links
// (web addresses, mail) go to the shell as they are.
#pragma once

#include <functional>
#include <string>

// True for a link beginning with "file:" (any case).
bool IsFileLink(const std::string& Link);

// Turns a "file://" link into what the shell should open; "" when it cannot.
using TFileLinkResolver = std::function<std::string(const std::string& Link)>;
// Installs Resolver (an empty function: the identity, the default) and
// returns the previous one. The document-root resolution plugs in here.
TFileLinkResolver SetFileLinkResolver(TFileLinkResolver Resolver);

// The text to open for Link: a file link resolved (or unchanged when the
// resolver gives ""), any other link unchanged.
std::string ShellTargetOfLink(const std::string& Link);
