// Captions as string lists: each line is a part of the caption between
// "||" separators, and every change is written back to the caption at once.
// The caption is always read whole.
#pragma once

#include <string>
#include <vector>

#include "framework/strings.h"

class TControl;
class TMenuItem;

class TJoinedCaptionStrings : public TStrings {
public:
    std::string Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;

protected:
    virtual std::string ReadCaption() const = 0;
    virtual void WriteCaption(const std::string& Value) = 0;

private:
    std::vector<std::string> Lines() const;
    void Write(const std::vector<std::string>& Lines);
};

// A control's caption (writing sends the control's text change).
class TCaptionStrings : public TJoinedCaptionStrings {
public:
    explicit TCaptionStrings(TControl* Control) : control_(Control) {}

protected:
    std::string ReadCaption() const override;
    void WriteCaption(const std::string& Value) override;

private:
    TControl* control_;
};

// A menu item's caption (the Lines of the kit's menu items).
class TMenuStrings : public TJoinedCaptionStrings {
public:
    explicit TMenuStrings(TMenuItem* Item) : item_(Item) {}

protected:
    std::string ReadCaption() const override;
    void WriteCaption(const std::string& Value) override;

private:
    TMenuItem* item_;
};
