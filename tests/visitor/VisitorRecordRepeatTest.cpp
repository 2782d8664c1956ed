// Recording a visit while the desk goes on working: the success box runs the desk's event loop,
// which reuses freed memory. The statement's guard must let go of the connection before the
// connection is closed, or it later waits on a lock in memory that is no longer its own and the
// desk freezes after the first visit.

#include "TestSupport.h"

#include "core/Globals.h"
#include "core/Utilities.h"
#include "platform/UiServices.h"
#include "visitor/VisitorRecorder.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <chrono>
#include <future>
#include <cstring>
#include <thread>
#include <vector>

namespace {

TEST(VisitorRecord, VisitAfterVisitIsRecordedWithoutHanging)
{
    REQUIRE_TOOL(sqlite, "sqlite3");
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Check_Path_And_Create_VISITOR_Files();
    // While the box is up, the small blocks freed so far are taken again and filled as a held
    // lock looks (every int 2), as the desk's own work would overwrite them.
    std::vector<std::vector<int>> reused;
    ui->onRequest = [&reused](const platform::ScriptedUiServices::Request &) {
        for (int i = 0; i < 4000; ++i)
            for (int ints : {10, 12, 14, 16, 18})
                reused.emplace_back(size_t(ints), 2);
    };
    constexpr int kVisits = 3;
    auto done = std::make_shared<std::promise<int>>();
    std::future<int> saved = done->get_future();
    std::thread([done] {
        int count = 0;
        for (int i = 0; i < kVisits; ++i) {
            VisitorRecord r;
            r.stamp = QStringLiteral("2026-12-07 09:05:0%1").arg(i);
            r.side[0].values[0] = QStringLiteral("Visitor %1").arg(i);
            count += Visitor_DB().Insert_Visitor_Record(r) ? 1 : 0;
        }
        done->set_value(count);
    }).detach();
    const bool finished = saved.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    ui->onRequest = nullptr;
    ASSERT_TRUE(finished) << "recording a visit hung";
    EXPECT_EQ(saved.get(), kVisits);
    const QString rows = QString::fromUtf8(
        testsupport::runTool(sqlite, {Database_Path, QStringLiteral("SELECT count(*) FROM Visitor_Records;")}).out);
    EXPECT_EQ(rows.trimmed().toInt(), kVisits);
}

}  // namespace
