// pellard-report end to end: the tool built beside the programs, run on small
// files, against the tables the analysis window builds from the same files.
#include "analyzer/reports.h"
#include "analyzer/screens/reportpage.h"
#include "analyzer/screens/viewlogform.h"
#include "analyzer/summaries.h"
#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <QComboBox>
#include <QPlainTextEdit>
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
        const QString dir = QString::fromStdString(test::ToolsDir());
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
    // The window's report, chosen and generated as the user does it.
    std::string WindowReport(TViewLogForm& form, const QString& entry) {
        auto& reports = test::Find<QComboBox>(form, "SelectReport");
        const int i = reports.findText(entry);
        EXPECT_GE(i, 0) << entry.toStdString();
        reports.setCurrentIndex(i);
        test::Click(form, "GenerateReportBtn");
        return form.Report().ReportTable().CSVBytes();
    }
    Result RunOn(const std::string& file, QStringList args, const QByteArray& input = {}) {
        const QString dir = QString::fromStdString(test::ToolsDir());
        QProcess p;
        args.prepend(QString::fromStdString(file));
        p.start(dir + "/pellard-report", args);
        p.write(input);
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(30000));
        Result r;
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput().toStdString();
        r.err = p.readAllStandardError().toStdString();
        return r;
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

    const std::pair<const char*, const char*> kinds[] = {
        {"day-of-week", "Day of the Week Summary"},
        {"daily", "Daily Summary"},
        {"weekly", "Weekly Summary"},
        {"monthly", "Monthly Summary"},
        {"country", "Country Summary"},
        {"field:Status", "Status Summary"},
    };
    for (auto [name, entry] : kinds) {
        Result r = Run({"--report", name});
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
        EXPECT_EQ(r.out, WindowReport(form, entry)) << name;
    }
    // The custom report matches part of a cell in both by default.
    ui.ExpectModal("TCustomReportForm", [](QDialog& d) {
        test::Find<QComboBox>(d, "ReportField").setCurrentText("Status");
        test::Find<QPlainTextEdit>(d, "FieldValues").setPlainText("omp\nPend");
        test::Click(d, "OKValueBtn");
        return QDialog::Accepted;
    });
    auto& reports = test::Find<QComboBox>(form, "SelectReport");
    reports.setCurrentIndex(reports.findText("Custom Report"));
    form.Report().SelectReportChange();
    Result custom = Run(
        {"--report", "custom", "--custom-field", "Status", "--value", "omp", "--value", "Pend"});
    EXPECT_EQ(custom.out, WindowReport(form, "Custom Report"));
    EXPECT_NE(custom.out.find("omp,2,"), std::string::npos) << custom.out;
    custom = Run({"--report", "custom", "--custom-field", "Status", "--value", "omp", "--whole"});
    EXPECT_NE(custom.out.find("omp,0,"), std::string::npos) << custom.out;
    EXPECT_TRUE(ui.Finish());
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
             "--value", "COMPLETED", "--value", "Ref", "-o", QString::fromStdString(out)});
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

TEST_F(PellardReport, DownloadsGiveTheTablesOfTheirPlainForms) {
    // The same transactions as a download writes them: LF line ends, a
    // byte-order mark, amounts with currency signs and thousands groups,
    // and dates day first or month first.
    const std::string plain =
        "Date,Name,Gross,Fee,Net,Status\r\n"
        "2001/01/30,Ann,1058.09,-0.50,1057.59,Completed\r\n"
        "2001/02/13,Bob,-1234.00,-1.00,-1235.00,Pending\r\n"
        "2001/03/02,Cy,5.00,,5.00,completed\r\n";
    const std::string dayFirst =
        "\xEF\xBB\xBF"
        "Date,Name,Gross,Fee,Net,Status\n"
        "30/01/2001,Ann,\"$1,058.09\",-0.50,\"1,057.59 \",Completed\n"
        "13/02/2001,Bob,\"-$1,234\",-1.00,\"-1,235.00\",Pending\n"
        "02/03/2001,Cy,5.00,,5.00,completed\n";
    const std::string monthFirst =
        "Date,Name,Gross,Fee,Net,Status\n"
        "01-30-2001,Ann,\"\xC2\xA3"
        "1,058.09\",-0.50,1057.59,Completed\n"
        "02-13-2001,Bob,-1234,-1.00,-1235,Pending\n"
        "03-02-2001,Cy,5.00,,5.00,completed\n";
    folder.Write("plain.csv", plain);
    folder.Write("day.csv", dayFirst);
    folder.Write("month.csv", monthFirst);
    for (const QStringList& args :
         {QStringList{"--stats"}, QStringList{"--report", "monthly"},
          QStringList{"--report", "weekly"}, QStringList{"--report", "day-of-week"},
          QStringList{"--report", "field:Status"}}) {
        const Result want = RunOn(folder.File("plain.csv"), args);
        ASSERT_EQ(want.status, 0) << want.err;
        for (const char* other : {"day.csv", "month.csv"}) {
            const Result got = RunOn(folder.File(other), args);
            EXPECT_EQ(got.status, 0) << got.err;
            EXPECT_EQ(got.err, "") << other;
            if (args[0] == "--report" && args[1] == "weekly") {
                // Week labels are dates, written as the file writes them.
                EXPECT_EQ(got.out.substr(got.out.find("\r\n") + 2, 10),
                          other == std::string("day.csv") ? "30/01/2001" : "01/30/2001");
                continue;
            }
            EXPECT_EQ(got.out, want.out) << other << " " << args.join(" ").toStdString();
        }
    }
    // Standard input, and a format given on the command line.
    const Result piped = RunOn("-", {"--report", "daily", "--date-format", "dd/mm/yyyy"},
                               QByteArray::fromStdString(dayFirst));
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out.substr(piped.out.find("\r\n") + 2, 12), "30/01/2001,1");
}

TEST_F(PellardReport, WhatDidNotReadIsCountedOnStandardError) {
    folder.Write("log.csv",
                 "Date,Gross,Fee,Net\n"
                 "2001/01/30,USD 3,1,1\n"
                 "soon,2,x,1\n"
                 "2001/02/01,1 000,,1\n"
                 "2001/02/02,   ,-,1\n");
    Result r = Run({"--report", "daily"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err,
              "Gross: 2 values do not read as numbers (first: \"USD 3\", row 1)\n"
              "Fee: 2 values do not read as numbers (first: \"x\", row 2)\n"
              "Date: 1 value does not read as a date (first: \"soon\", row 2)\n");
    // Without a date report the date field is not in use.
    r = Run({"--stats", "--fields", "Net"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    r = Run({"--report", "field:Date", "--fields", "Fee"});
    EXPECT_EQ(r.err, "Fee: 2 values do not read as numbers (first: \"x\", row 2)\n");
}

TEST_F(PellardReport, EndlessInputIsRefused) {
    QProcess p;
    const QString dir = QString::fromStdString(test::ToolsDir());
    p.start(dir + "/pellard-report", {"/dev/zero", "--stats"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_EQ(
        p.readAllStandardError().toStdString(),
        "pellard-report: Line 1 of /dev/zero is longer than 16.0 MB: this is not a transaction "
        "file.\n");
}

}  // namespace
