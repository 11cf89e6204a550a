// Precompiled for the tests of the Windows code: the platform's headers, the standard
// library and GoogleTest.
#pragma once

#include "WindowsCode.h"

#include <gtest/gtest.h>
