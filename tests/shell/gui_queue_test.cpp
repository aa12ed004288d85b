// The worker-to-window hand-over: order, blocking calls, and (under
// ThreadSanitizer) no races on what the work touches.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QThread>

#include <thread>
#include <vector>

#include "shell/gui_queue.h"

TEST(GuiQueueTest, PostedWorkRunsInOrderAndBlockingCallsWait)
{
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    GuiQueue main;

    std::vector<int> seen; // touched only on the main thread
    int answer = 0;
    std::thread worker([&] {
        for (int i = 0; i < 1000; ++i)
            main.post([&seen, i] { seen.push_back(i); });
        main.runAndWait([&] { answer = int(seen.size()); });
        // The answer was written on the main thread and is read here.
        int copy = answer;
        main.post([&, copy] {
            seen.push_back(copy);
            QCoreApplication::quit();
        });
    });
    app.exec();
    worker.join();
    ASSERT_EQ(seen.size(), 1001u);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(seen[size_t(i)], i);
    EXPECT_EQ(seen.back(), 1000); // the blocking call ran after all earlier posts
}

TEST(GuiQueueTest, BlockingCallFromTheMainThreadRunsAtOnce)
{
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    GuiQueue main;
    std::vector<int> order;
    main.post([&] { order.push_back(1); });
    main.runAndWait([&] { order.push_back(2); });
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}
