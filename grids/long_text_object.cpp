#include "grids/long_text_object.h"

namespace {
int g_live_long_text_objects = 0;
}

TLongTextObject2::TLongTextObject2(TObject* Grid, TCustomL2DataClass DataClass)
    : grid_(Grid),
      data_(DataClass ? DataClass() : new TCustomL2Data()),
      lines_(std::make_unique<TStringList>()) {
    if (!data_) data_.reset(new TCustomL2Data());
    ++g_live_long_text_objects;
}

TLongTextObject2::~TLongTextObject2() { --g_live_long_text_objects; }

int TLongTextObject2::LiveCount() { return g_live_long_text_objects; }
