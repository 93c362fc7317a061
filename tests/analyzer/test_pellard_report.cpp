// pellard-report end to end: the tool built beside the programs, run on small
// files, against the tables the analysis window builds from the same files.
#include "analyzer/reports.h"
#include "analyzer/screens/viewlogform.h"
#include "analyzer/summaries.h"
#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace pellard;

namespace {

const char* kFile =
    "  Date,Name,Gross,Fee,Net,Status,Address\r\n"
    "2001/01/30,Ann,10.00,-0.50,9.50,Completed,\"1 Road, Lagos, Nigeria\"\r\n"
    "2001/02/01,Bob,20.00,-1.00,19.00,Pending,\"2 Rue, Paris, France\"\r\n"
    "2001/03/02,Cy,5.00,,5.00,completed,\r\n"
    "2001/03/05,Di,-7.25,-0.30,-7.55,Refunded,\"3 Way, Lagos, Nigeria\"\r\n";

struct Result {
    int status = -1;
    std::string out, err;
};

class PellardReport : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("log.csv", kFile);
        SetProgramDateFormat(DateOrder::YearMonthDay);
    }
    Result Run(QStringList args) {
        const QString dir = qEnvironmentVariable("BRENVIK_TOOLS_DIR", TEST_BINARY_DIR "/tools");
        QProcess p;
        args.prepend(folder.QPath() + "log.csv");
        p.start(dir + "/pellard-report", args);
        EXPECT_TRUE(p.waitForFinished(30000))
            << "pellard-report did not run from " << dir.toStdString();
        Result r;
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput().toStdString();
        r.err = p.readAllStandardError().toStdString();
        return r;
    }
    // The window's own report of a kind, with its default choices.
    std::string WindowReport(TViewLogForm& form, int kind) {
        ReportInput in;
        in.view = &form.View();
        in.valueFields = form.ReportFields();
        in.today = Today();
        auto dates = form.View().DateColumns();
        if (!dates.empty()) in.dateColumn = dates[0].column;
        auto addresses = form.View().AddressColumns();
        if (!addresses.empty()) in.addressColumn = addresses[0].column;
        brenvik::StringTable t;
        EXPECT_EQ(GenerateReport(kind, in, {}, t), ReportProblem::None);
        return t.CSVBytes();
    }

    test::ScriptedPlatform ui;
    test::TempFolder folder;
};

TEST_F(PellardReport, SameTablesAsTheWindow) {
    TViewLogForm form;
    ASSERT_EQ(form.LoadFile(folder.QPath() + "log.csv"), TViewLogForm::LoadResult::Loaded);

    Result stats = Run({"--stats"});
    EXPECT_EQ(stats.status, 0) << stats.err;
    EXPECT_EQ(stats.out, form.StatGrid().CSVBytes());
    EXPECT_EQ(stats.out,
              "Field,Total,Average,High,Low\r\n"
              "Gross,27.75,6.94,20.00,-7.25\r\n"
              "Fee,-1.80,-0.45,0.00,-1.00\r\n"
              "Net,25.95,6.49,19.00,-7.55\r\n");

    const std::pair<const char*, int> kinds[] = {
        {"day-of-week", reportkind::DayOfWeek}, {"daily", reportkind::Daily},
        {"weekly", reportkind::Weekly},         {"monthly", reportkind::Monthly},
        {"country", reportkind::Country},       {"field:Status", reportkind::FieldSummary + 5},
    };
    for (auto [name, kind] : kinds) {
        Result r = Run({"--report", name});
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
        EXPECT_EQ(r.out, WindowReport(form, kind)) << name;
    }
}

TEST_F(PellardReport, MonthlyWithFieldsFilterAndAbsoluteValues) {
    Result r = Run(
        {"--report", "monthly", "--fields", "Net,Gross", "--abs", "--filter", "Status!=Pending"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Month,Total Transactions,Total Net,Total Gross,Average Net,Average Gross,"
              "High Net,High Gross,Low Net,Low Gross\r\n"
              "2001/01,1,9.50,10.00,9.50,10.00,9.50,10.00,9.50,10.00\r\n"
              "2001/02,0,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
              "2001/03,2,2.55,2.25,1.27,1.13,7.55,7.25,5.00,5.00\r\n");

    // A range filter, the custom report and the output file.
    const std::string out = folder.File("out.csv");
    r = Run({"--report", "custom", "--filter", "Gross=0 to 15", "--custom-field", "Status",
             "--value", "COMPLETED", "--value", "Ref", "--partial", "-o",
             QString::fromStdString(out)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(folder.Read("out.csv"),
              "Status,Total Transactions,Total Gross,Total Fee,Total Net,Average Gross,"
              "Average Fee,Average Net,High Gross,High Fee,High Net,Low Gross,Low Fee,Low Net\r\n"
              "COMPLETED,2,15.00,-0.50,14.50,7.50,-0.25,7.25,10.00,0.00,9.50,5.00,-0.50,5.00\r\n"
              "Ref,0,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
}

TEST_F(PellardReport, ProblemsGoToStandardErrorWithStatusTwo) {
    const std::pair<QStringList, std::string> cases[] = {
        {{"--report", "daily", "--fields", "Nope"}, "unknown field: Nope"},
        {{"--report", "yearly"}, "unknown report kind: yearly"},
        {{"--report", "field:Nope"}, "unknown field: Nope"},
        {{"--report", "custom"}, "Please select custom report field."},
        {{"--report", "custom", "--custom-field", "Status"},
         "Please select custom report field values."},
        {{"--stats", "--filter", "Nope=1"}, "unknown field: Nope"},
        {{"--stats", "--report", "daily"}, "give either --stats or --report KIND"},
        {{"--stats", "--date-format", "dd.mm.yyyy"}, "unknown date format"},
    };
    for (const auto& [args, message] : cases) {
        Result r = Run(args);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }

    // A file without a date column, and one that cannot be read.
    folder.Write("log.csv", "Name,Gross\r\nAnn,1\r\n");
    Result r = Run({"--report", "weekly"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Please select date field."), std::string::npos);
    r = Run({"--report", "country"});
    EXPECT_NE(r.err.find("Please select address field."), std::string::npos);
    QFile::remove(folder.QPath() + "log.csv");
    r = Run({"--stats"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Cannot open file"), std::string::npos) << r.err;
}

TEST_F(PellardReport, MonthDayYearDates) {
    folder.Write("log.csv", "Date,Gross\r\n01/30/2001,1\r\n01/31/2001,2\r\n");
    Result r = Run({"--report", "daily", "--date-format", "mm/dd/yyyy"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Day,Total Transactions,Total Gross,Average Gross,High Gross,Low Gross\r\n"
              "01/30/2001,1,1.00,1.00,1.00,1.00\r\n"
              "01/31/2001,1,2.00,2.00,2.00,2.00\r\n");
}

}  // namespace
