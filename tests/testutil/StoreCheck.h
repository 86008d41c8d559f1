// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>
#include <exception>

// Runs a statement on the store (through Database or TestStore, which raise
// with the driver's message); should it fail, the test fails naming the
// store's error instead of Qt Test's bare "Caught unhandled exception".
#define QVERIFY_STORE(statement)                                                                   \
    do {                                                                                           \
        try {                                                                                      \
            statement;                                                                             \
        } catch (const std::exception& storeError) {                                               \
            QFAIL(storeError.what());                                                              \
        }                                                                                          \
    } while (false)
