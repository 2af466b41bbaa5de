#include "controls/html/html_picture.h"

#include <olectl.h>

#include <algorithm>

#include "controls/html/gif_frames.h"
#include "framework/ansi_text.h"
#include "framework/com_ptr.h"
#include "framework/global_memory.h"

namespace {

constexpr char kNoMemory[] = "Could not allocate memory for image";
constexpr char kNoStream[] = "Could not create image stream";
constexpr char kEmptyStream[] = "Empty image stream created";
constexpr char kInvalid[] = "Could not load image. Invalid format";
constexpr char kNoImage[] = "Could not load image";

// Pictures are drawn at 96 pixels per inch.
constexpr int kPixelsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

}  // namespace

THTMLPicture::THTMLPicture() = default;

THTMLPicture::~THTMLPicture() { Clear(); }

void THTMLPicture::Clear() {
    if (picture_) picture_->Release();
    picture_ = nullptr;
    frames_.clear();
    gif_width_ = gif_height_ = frame_x_ = frame_y_ = 0;
}

void THTMLPicture::Changed() {
    if (OnChange) OnChange(this);
}

void THTMLPicture::Assign(const TPersistent* Source) {
    if (!Source) {
        bytes_.clear();
        Clear();
        Changed();
        return;
    }
    auto* other = dynamic_cast<const THTMLPicture*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    LoadFromBytes(other->bytes_);
}

void THTMLPicture::LoadFromFile(const std::string& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(f);
}

void THTMLPicture::LoadFromStream(TStream& Stream) {
    std::string bytes(static_cast<size_t>(std::max<int64_t>(0, Stream.Size() - Stream.Position())), '\0');
    if (!bytes.empty()) Stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    LoadFromBytes(bytes);
}

void THTMLPicture::SaveToStream(TStream& Stream) const {
    if (!bytes_.empty()) Stream.WriteBuffer(bytes_.data(), static_cast<int64_t>(bytes_.size()));
}

void THTMLPicture::LoadFromBytes(const std::string& Bytes) {
    bytes_ = Bytes;
    frame_ = 1;
    LoadPicture();
    Changed();
}

void THTMLPicture::LoadFromResourceName(HINSTANCE Instance, const std::string& Name) {
    HRSRC res = FindResourceA(Instance, Name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!res) return;
    HGLOBAL data = LoadResource(Instance, res);
    const void* p = data ? LockResource(data) : nullptr;
    if (!p) return;
    LoadFromBytes(std::string(static_cast<const char*>(p), SizeofResource(Instance, res)));
}

void THTMLPicture::LoadFromURL(const std::string& URL) {
    if (AnsiStartsText("RES://", URL)) {
        url_ = URL;
        LoadFromResourceName(GetModuleHandleA(nullptr), URL.substr(6));
    } else if (AnsiStartsText("FILE://", URL)) {
        url_ = URL;
        LoadFromFile(URL.substr(7));
    } else {
        // Network addresses are remembered only: nothing is downloaded.
        url_ = URL;
    }
}

void THTMLPicture::LoadPicture() {
    Clear();
    if (bytes_.empty()) return;
    std::string load = bytes_;
    if (IsGIF()) {
        GifLayout layout;
        if (!ParseGif(bytes_, layout)) throw EPictureError(kInvalid);
        gif_width_ = layout.ScreenWidth;
        gif_height_ = layout.ScreenHeight;
        for (const auto& f : layout.Frames) frames_.emplace_back(f.Left, f.Top);
        frame_ = std::clamp(frame_, 1, FrameCount());
        frame_x_ = frames_[static_cast<size_t>(frame_ - 1)].first;
        frame_y_ = frames_[static_cast<size_t>(frame_ - 1)].second;
        if (FrameCount() > 1) load = GifSingleFrame(bytes_, layout, static_cast<size_t>(frame_ - 1));
    }
    GlobalMemory mem = GlobalMemory::FromBytes(load.data(), load.size());
    if (!mem) throw EPictureError(kNoMemory);
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(mem.Get(), TRUE, stream.Put())) || !stream) throw EPictureError(kNoStream);
    mem.Detach();  // the stream frees it
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart == 0) throw EPictureError(kEmptyStream);
    IPicture* pic = nullptr;
    HRESULT hr = OleLoadPicture(stream.Get(), static_cast<LONG>(load.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&pic));
    if (FAILED(hr)) {
        Clear();
        throw EPictureError(kInvalid);
    }
    if (!pic) {
        Clear();
        throw EPictureError(kNoImage);
    }
    picture_ = pic;
}

bool THTMLPicture::IsGIF() const { return IsGifData(bytes_); }

// HIMETRIC sizes are rounded to the nearest pixel: the loader rounds them
// down, and truncating again would lose a pixel (99 x 3 would become 98 x 2).
int THTMLPicture::Width() const { return IsGIF() && picture_ ? gif_width_ : PictureSize().cx; }

int THTMLPicture::Height() const { return IsGIF() && picture_ ? gif_height_ : PictureSize().cy; }

SIZE THTMLPicture::PictureSize() const {
    if (!picture_) return SIZE{0, 0};
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture_->get_Width(&w);
    picture_->get_Height(&h);
    return SIZE{MulDiv(w, kPixelsPerInch, kHimetricPerInch), MulDiv(h, kPixelsPerInch, kHimetricPerInch)};
}

void THTMLPicture::SetFrame(int Value) {
    if (FrameCount() > 0) Value = std::clamp(Value, 1, FrameCount());
    if (Value == frame_ || FrameCount() <= 1) return;
    frame_ = Value;
    LoadPicture();
    Changed();
}

void THTMLPicture::Draw(HDC Dc, const RECT& R) {
    if (!picture_) return;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture_->get_Width(&w);
    picture_->get_Height(&h);
    RECT target = R;
    const int rw = R.right - R.left, rh = R.bottom - R.top;
    const SIZE own = PictureSize();
    const int pw = own.cx, ph = own.cy;
    if (IsGIF() && gif_width_ > 0 && gif_height_ > 0 && (pw != gif_width_ || ph != gif_height_)) {
        // The loader gives the frame alone: it goes to its place on the
        // logical screen, scaled as the screen is.
        target.left = R.left + MulDiv(frame_x_, rw, gif_width_);
        target.top = R.top + MulDiv(frame_y_, rh, gif_height_);
        target.right = target.left + MulDiv(pw, rw, gif_width_);
        target.bottom = target.top + MulDiv(ph, rh, gif_height_);
    }
    // The source rectangle runs bottom-up.
    picture_->Render(Dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0, h, w,
                     -h, nullptr);
}

TPictureItem& TPictureContainer::Add(const std::string& Name) {
    items_.push_back(std::make_unique<TPictureItem>());
    items_.back()->Name = Name;
    return *items_.back();
}

THTMLPicture* TPictureContainer::FindPicture(const std::string& Name) {
    for (auto& item : items_)
        if (AnsiSameText(item->Name, Name)) return &item->Picture();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::FindPicture(const std::string& URL) {
    for (auto& p : pictures_)
        if (p->URL() == URL) return p.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::AddPicture() {
    pictures_.push_back(std::make_unique<THTMLPicture>());
    return pictures_.back().get();
}
