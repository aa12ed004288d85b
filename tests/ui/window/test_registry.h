#pragma once
// The window suites are Qt Test classes in one program; each registers
// itself here and the program's main runs them all.

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

using WindowTestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<WindowTestFactory>& windowTests();

#define REGISTER_WINDOW_TEST(Class)                                                                      \
    static const bool registered##Class = [] {                                                           \
        windowTests().push_back([] { return std::unique_ptr<QObject>(std::make_unique<Class>()); });     \
        return true;                                                                                     \
    }()
