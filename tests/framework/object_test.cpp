#include <gtest/gtest.h>
#include "framework/object.h"
TEST(Object, ClassName) { TObject* o = Create<TObject>(); EXPECT_EQ(o->ClassName(), "TObject"); o->Free(); }
