#include <gtest/gtest.h>

#include "TestForms.h"

using namespace tv;
