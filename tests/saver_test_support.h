// A fresh machine and a fresh saver process for every test.
#pragma once
#include <gtest/gtest.h>

#include "headless/control.h"

class SaverTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
