// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

// Every test class of an executable registers itself here; the shared main
// runs them all (or the one named as the first argument).
class TestRegistry
{
public:
    using Factory = std::function<std::unique_ptr<QObject>()>;
    struct Entry
    {
        const char* name;
        Factory factory;
    };

    static std::vector<Entry>& entries()
    {
        static std::vector<Entry> all;
        return all;
    }

    struct Registrar
    {
        Registrar(const char* name, Factory factory)
        {
            entries().push_back({name, std::move(factory)});
        }
    };
};

#define KEROVA_TEST(Class)                                                                         \
    static const TestRegistry::Registrar kerovaRegistrar##Class(                                   \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });
