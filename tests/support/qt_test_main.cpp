// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// GoogleTest main for the tests that need a QApplication.
#include <QApplication>
#include <gtest/gtest.h>

#include "offscreen.h"

int main(int argc, char* argv[])
{
    offscreen::prefer();  // test listing included
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
