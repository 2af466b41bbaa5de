#include "controls/menus/menu_strings.h"

#include "controls/menus/menu_search.h"
#include "framework/control.h"
#include "framework/menus.h"

std::vector<std::string> TJoinedCaptionStrings::Lines() const { return SplitMenuLines(ReadCaption()); }

void TJoinedCaptionStrings::Write(const std::vector<std::string>& Lines) { WriteCaption(JoinMenuLines(Lines)); }

std::string TJoinedCaptionStrings::Get(int Index) const {
    const std::vector<std::string> lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    return lines[static_cast<size_t>(Index)];
}

int TJoinedCaptionStrings::GetCount() const { return static_cast<int>(Lines().size()); }

void TJoinedCaptionStrings::Put(int Index, const std::string& S) {
    std::vector<std::string> lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    lines[static_cast<size_t>(Index)] = S;
    Write(lines);
}

void TJoinedCaptionStrings::Insert(int Index, const std::string& S) {
    std::vector<std::string> lines = Lines();
    if (Index < 0 || Index > static_cast<int>(lines.size())) IndexError(Index);
    lines.insert(lines.begin() + Index, S);
    Write(lines);
}

void TJoinedCaptionStrings::Delete(int Index) {
    std::vector<std::string> lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    lines.erase(lines.begin() + Index);
    Write(lines);
}

void TJoinedCaptionStrings::Clear() { WriteCaption(""); }

std::string TCaptionStrings::ReadCaption() const { return control_ ? control_->Caption() : std::string(); }
void TCaptionStrings::WriteCaption(const std::string& Value) {
    if (control_) control_->SetCaption(Value);
}

std::string TMenuStrings::ReadCaption() const { return item_ ? item_->Caption() : std::string(); }
void TMenuStrings::WriteCaption(const std::string& Value) {
    if (item_) item_->SetCaption(Value);
}
