#include "store/reports/screens/handoff.h"

#include "store/core/datafolder.h"
#include "store/reports/export.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace brenvik {

void HandOffToAnalyzer(const brenvik::StringTable& table, const std::string& dataFolder,
                       const std::string& fileName) {
    brenvik::WriteHandoffFile(table, dataFolder, fileName);
    std::string program =
        brenvik::AnalyzerProgramPath(ui::PathFromQ(QCoreApplication::applicationDirPath()),
                                     qgetenv("PATH").toStdString(), brenvik::IsExecutableFile);
    // The analyzer opens the bare name relative to its working folder.
    ui::platform().StartProgram(ui::PathToQ(program), {ui::ToQ(fileName)},
                                ui::PathToQ(brenvik::NormalizeFolder(dataFolder)));
}

}  // namespace brenvik
