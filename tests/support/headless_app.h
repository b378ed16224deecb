// Sets up the headless window system for a test: the program's resources,
// the virtual clock, and the framework's message filter in the loop.
#pragma once

#include <gtest/gtest.h>

#include "winapi/headless/driver.h"

class CHeadlessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
