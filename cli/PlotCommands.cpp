// `orvan plot`: the level lines as text are written here; the pictures are
// drawn by the toolkit in a program of its own beside this one,
// "orvan-plot", so that the batch tool links no toolkit.

#include "Commands.h"
#include "PlotRequest.h"

#include "numeric/Messages.h"
#include "services/ProgramFolder.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace orvanta::cli {

int RunPlot(const TWords& words) {
    TPlotContent content;
    // A command line that does not fit is told here, with the usage.
    ReadPlotWords(words, content);
    if (content.Data) {
        const int status = PreparePlot(words, content);
        return status == ExitSuccess ? WriteContourData(content) : status;
    }
    const std::string drawer = ProgramFolder() + "/orvan-plot";
    std::vector<std::string> arguments{"orvan-plot"};
    arguments.insert(arguments.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    execv(drawer.c_str(), argv.data());
    ShowError("Не удалось запустить программу рисования \"" + drawer +
              "\": " + std::strerror(errno));
    return ExitFailure;
}

} // namespace orvanta::cli
