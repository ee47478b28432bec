#include <gtest/gtest.h>

#include "profile/codec.h"

TEST(Smoke, Builds) { SUCCEED(); }
