#include "platform/Error.h"
#include "platform/ErrorReport.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ErrorReport, AnErrorInAHandlerIsReportedAndTheProgramGoesOn)
{
    QStringList reported;
    const TErrorReporter previous = SetErrorReporter([&](const QString& m) { reported << m; });
    int ticks = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        RunGuarded([&] {
            ++ticks;
            if (ticks == 1)
                throw TError("Unknown picture file extension (.tga)");
            if (ticks == 2)
                throw std::runtime_error("plain failure");
        });
    });
    timer.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 4; }, 2000));
    SetErrorReporter(previous);
    EXPECT_GE(ticks, 4);
    ASSERT_EQ(reported.size(), 2);
    EXPECT_EQ(reported[0], "Unknown picture file extension (.tga)");
    EXPECT_EQ(reported[1], "plain failure");
}

TEST(ErrorReport, SystemErrorsUseTheirMessageForm)
{
    EXPECT_EQ(SystemErrorMessage(0), "A call to an OS function failed");
    EXPECT_EQ(SystemErrorMessage(2), "System Error.  Code: 2.\nNo such file or directory");
}
