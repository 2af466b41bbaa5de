#include "controls/dragdrop/data_format.h"

#include <algorithm>

const TDataFormatClass TCustomDataFormat::Info{{"TCustomDataFormat", nullptr}, nullptr};

// ---------------------------------------------------------- TCustomDataFormat

TCustomDataFormat::TCustomDataFormat(TDragDropComponent* owner) : owner_(owner) {
    if (owner_ && owner_->DataFormats()) owner_->DataFormats()->Add(this);
}

TCustomDataFormat::~TCustomDataFormat() {
    compatible_.reset();
    if (owner_ && owner_->DataFormats()) owner_->DataFormats()->Remove(this);
}

TClipboardFormats& TCustomDataFormat::CompatibleFormats() {
    if (!compatible_) {
        compatible_ = std::make_unique<TClipboardFormats>(this, true);
        if (owner_)
            owner_->GetDataFormatConversions(Class(), *compatible_);
        else
            GetFormatConversions(Class(), *compatible_, csRead);
    }
    return *compatible_;
}

bool TCustomDataFormat::Assign(TClipboardFormat* source) { return source->AssignTo(this); }
bool TCustomDataFormat::AssignTo(TClipboardFormat* dest) { return dest->Assign(this); }

bool TCustomDataFormat::GetData(IDataObject* obj) {
    bool result = false;
    TClipboardFormats& formats = CompatibleFormats();
    for (int i = 0; i < formats.Count() && NeedsData(); ++i) {
        TClipboardFormat* f = formats.Items(i);
        f->Clear();
        if (f->GetData(obj) && f->HasData() && Assign(f)) {
            f->Clear();
            result = true;
        }
    }
    return result;
}

bool TCustomDataFormat::HasValidFormats(IDataObject* obj) {
    TClipboardFormats& formats = CompatibleFormats();
    for (int i = 0; i < formats.Count(); ++i)
        if (formats.Items(i)->HasValidFormats(obj)) return true;
    return false;
}

bool TCustomDataFormat::AcceptFormat(const FORMATETC& fmt) {
    TClipboardFormats& formats = CompatibleFormats();
    for (int i = 0; i < formats.Count(); ++i)
        if (formats.Items(i)->AcceptFormat(fmt)) return true;
    return false;
}

void TCustomDataFormat::DoOnChanging(TObject* sender) {
    if (OnChanging) OnChanging(sender);
}

// ---------------------------------------------------------------- TDataFormats

TDataFormats::~TDataFormats() {
    // Formats outliving the list must not reach back into it.
    for (auto it = formats_.rbegin(); it != formats_.rend(); ++it) (*it)->owner_ = nullptr;
}

int TDataFormats::Add(TCustomDataFormat* f) {
    const int i = IndexOf(f);
    if (i >= 0) return i;
    formats_.push_back(f);
    return Count() - 1;
}

int TDataFormats::IndexOf(const TCustomDataFormat* f) const {
    auto it = std::find(formats_.begin(), formats_.end(), f);
    return it == formats_.end() ? -1 : static_cast<int>(it - formats_.begin());
}

void TDataFormats::Remove(TCustomDataFormat* f) {
    auto it = std::find(formats_.begin(), formats_.end(), f);
    if (it != formats_.end()) formats_.erase(it);
}

// ---------------------------------------------------------- TDragDropComponent

TDragDropComponent::TDragDropComponent(TComponent* AOwner) : TComponent(AOwner) { RegisterStandardDataFormats(); }

void TDragDropComponent::GetDataFormatConversions(const TDataFormatClass&, TClipboardFormats& formats) {
    formats.Clear();
}

// ---------------------------------------------------------------- registration

namespace {

std::vector<const TDataFormatClass*>& DataFormatClasses() {
    static std::vector<const TDataFormatClass*> classes;
    return classes;
}

}  // namespace

void RegisterDataFormat(const TDataFormatClass& cls) {
    auto& classes = DataFormatClasses();
    if (std::find(classes.begin(), classes.end(), &cls) != classes.end()) return;
    classes.push_back(&cls);
    if (cls.registerCompatibleFormats) cls.registerCompatibleFormats();
}

void RegisterDataConversion(const TDataFormatClass& dataClass, const TClipboardFormatClass& clipboardClass,
                            int priority, TConversionScopes scopes) {
    DataFormatMap().Add(&dataClass, &clipboardClass, scopes, priority);
}

void GetFormatConversions(const TDataFormatClass& dataClass, TClipboardFormats& formats,
                          TConversionScope direction) {
    formats.Clear();
    RegisterStandardDataFormats();
    const auto classes = DataFormatMap().Find(&dataClass, direction, [](const TFormatClassInfo* c) {
        return static_cast<const TClipboardFormatClass*>(c)->scopes;
    });
    for (const TFormatClassInfo* c : classes) {
        const auto* cls = static_cast<const TClipboardFormatClass*>(c);
        if (cls->create) formats.Add(cls->create());
    }
}
