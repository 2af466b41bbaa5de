// Pictures for the HTML labels: THTMLPicture (any format the system's
// picture loader reads; animated GIF files one frame at a time), the named
// pictures of a TPictureContainer and the per-label cache of pictures loaded
// by URL.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/events.h"
#include "framework/exceptions.h"
#include "framework/streams.h"

FRAMEWORK_EXCEPTION(EPictureError, Exception);

class THTMLPicture : public TPersistent {
public:
    THTMLPicture();
    ~THTMLPicture() override;
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    // Copies the bytes of another picture; nullptr empties this one.
    void Assign(const TPersistent* Source) override;
    // Loading raises EPictureError with the loader's message (the picture is
    // then empty) and EFOpenError for a missing file.
    void LoadFromFile(const std::string& FileName);
    void LoadFromStream(TStream& Stream);
    void LoadFromBytes(const std::string& Bytes);
    void SaveToStream(TStream& Stream) const;
    // An RCDATA resource of that name; nothing happens when there is none.
    void LoadFromResourceName(HINSTANCE Instance, const std::string& Name);
    // "RES://name", "FILE://path"; any other address is only remembered
    // (nothing is downloaded, the picture stays empty).
    void LoadFromURL(const std::string& URL);

    void Draw(HDC Dc, const RECT& R);

    bool Empty() const { return picture_ == nullptr; }
    // Pixels; a GIF reports its logical screen.
    int Width() const;
    int Height() const;
    bool IsGIF() const;
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    // 1 is the first frame; values out of range are clamped.
    int Frame() const { return frame_; }
    void SetFrame(int Value);
    // Where the shown frame sits on the logical screen.
    int FrameXPos() const { return frame_x_; }
    int FrameYPos() const { return frame_y_; }
    const std::string& URL() const { return url_; }
    const std::string& ID() const { return id_; }
    void SetID(const std::string& Value) { id_ = Value; }

    TNotifyEvent OnChange;

private:
    void Clear();
    void LoadPicture();
    void Changed();
    // The loaded picture's own size in pixels (a GIF: its shown frame).
    SIZE PictureSize() const;

    std::string bytes_;
    IPicture* picture_ = nullptr;
    int frame_ = 1;
    std::vector<std::pair<int, int>> frames_;  // offsets of the GIF frames
    int gif_width_ = 0, gif_height_ = 0;
    int frame_x_ = 0, frame_y_ = 0;
    std::string url_;
    std::string id_;
};

class TPictureItem {
public:
    std::string Name;
    int Tag = 0;
    THTMLPicture& Picture() { return picture_; }

private:
    THTMLPicture picture_;
};

class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner) : TComponent(AOwner) {}
    TPictureItem& Add(const std::string& Name);
    int Count() const { return static_cast<int>(items_.size()); }
    TPictureItem& Items(int Index) { return *items_.at(static_cast<size_t>(Index)); }
    void Clear() { items_.clear(); }
    // The first item whose name matches ignoring letter case, or nullptr.
    THTMLPicture* FindPicture(const std::string& Name);

private:
    std::vector<std::unique_ptr<TPictureItem>> items_;
};

class THTMLPictureCache {
public:
    // The picture whose URL is exactly URL, or nullptr.
    THTMLPicture* FindPicture(const std::string& URL);
    THTMLPicture* AddPicture();
    void ClearPictures() { pictures_.clear(); }
    int Count() const { return static_cast<int>(pictures_.size()); }

private:
    std::vector<std::unique_ptr<THTMLPicture>> pictures_;
};
