#include "ui/CPellaquinDlg.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include <QDir>
#include <QFile>
#include <QLineEdit>

#include "output/ByteSink.h"
#include "output/ExportPlaces.h"
#include "output/ListRun.h"
#include "ui/CProgressDlg.h"
#include "ui/FileDialogs.h"
#include "ui/GameViewPanel.h"
#include "ui/MessageBoxes.h"
#include "ui/OutputChoicesPanel.h"
#include "ui/QtText.h"
#include "ui/TodaysDataPanel.h"

namespace pellaquin {

namespace {

constexpr char SCANNING[] = "Scanning input file for matches...";
constexpr char SAVE_TITLE[] = "Save file as...";

// "1 game", "12 games".
std::string GamesText(std::int32_t count) {
    return std::to_string(count) + (count == 1 ? " game" : " games");
}

// The save dialog's file types for a list of `type`.
std::vector<FileFilter> SaveFilters(const ListTypeInfo& type) {
    std::vector<FileFilter> filters;
    for (const SaveFilter& filter : type.filters) {
        if (!filter.pattern.empty()) {
            filters.push_back({std::string(filter.description), std::string(filter.pattern)});
        }
    }
    return filters;
}

// "6,670".
std::string CountText(std::int32_t count) {
    std::string digits = std::to_string(count);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

// How many of the file's games the run kept, and what a front-end's list left out.
std::string FoundText(const ListResult& result) {
    std::string found = "Found: " + CountText(result.matchCount) + " of " + CountText(result.gameCount);
    if (result.leftOut > 0) {
        // A front-end's list is shorter than the matches; the user is told why.
        found += ", " + CountText(result.leftOut) + " left out that no front-end starts (BIOS sets, devices)";
    }
    return found;
}

// The name the save dialog offers: the title given to the list, else the name its reader expects.
std::string SuggestedFileName(const ListRequest& request, const std::string& usualName) {
    std::string title = request.type == ListType::MALA       ? request.mala.title
                        : request.type == ListType::DAT      ? request.exports.datName
                        : request.type == ListType::MAME_INI ? request.exports.folderTitle
                                                             : std::string();
    // A title may hold what a file name cannot.
    std::replace(title.begin(), title.end(), '/', '_');
    if (title.empty() || title == "." || title == "..") {
        return usualName;
    }
    return title + usualName.substr(usualName.rfind('.'));
}

// Why a save failed, on a line of its own; nothing when that is not known.
std::string WriteFailureReason(int failure) {
    return failure == 0 ? std::string() : "\r\n(" + std::string(std::strerror(failure)) + ")";
}

} // namespace

ListRequest CPellaquinDlg::CurrentRequest() const {
    ListRequest request;
    m_output->FillRequest(request);
    request.command = ToBytes(m_commandLine->text());
    request.steps = m_todaysData->Steps();
    return request;
}

void CPellaquinDlg::RunSearch() {
    ListRequest request = CurrentRequest();
    if (ListStatus refused = CheckListRequest(request); refused != ListStatus::DONE) {
        ShowMessage(this, ListRunMessage(refused, request, m_inputPath));
        return;
    }
    if (request.type == ListType::MALA) {
        RunMalaList(request);
        return;
    }
    // A playlist whose sets are beside it names them by where it is saved: that is asked first.
    std::string savePath;
    if (request.type == ListType::RETROARCH && request.exports.romFolder.empty()) {
        if (m_output->ToFile()) {
            savePath = ChooseListFile(request);
            if (savePath.empty()) {
                return;
            }
        }
        request.listFolder = !savePath.empty()           ? std::filesystem::path(savePath).parent_path().string()
                             : !m_lastSaveFolder.empty() ? m_lastSaveFolder
                                                         : QDir::homePath().toStdString();
    }

    MemorySink list;
    ListResult result;
    {
        CProgressDlg progress(this);
        progress.Start(false, 1000, SCANNING, "");
        progress.FollowFile(m_inputFile);
        if (request.type == ListType::XML) {
            // The XML list may be as large as the file; room for it at once spares copies while it grows.
            list.Reserve(static_cast<std::size_t>(m_inputFile.Size() + m_inputFile.Size() / 32));
        }
        result = RunList(m_inputFile, request, list);
    }
    if (result.status != ListStatus::DONE) {
        // Nothing of a list cut short is kept, to be shown later under "Search Results".
        m_gameView->TakeResults(std::make_shared<const std::string>(), {});
        ShowMessage(this, ListRunMessage(result.status, request, m_inputPath), MessageIcon::ERROR);
        return;
    }
    auto text = std::make_shared<const std::string>(list.TakeBytes());
    m_gameView->TakeResults(text, ToQString(FoundText(result)));
    m_gameView->OfferResults();
    if (m_output->ToFile()) {
        SaveResultText(*text, request, result.matchCount, savePath);
    }
    if (m_output->ToWindow()) {
        m_gameView->ShowSearchResults();
    }
}

void CPellaquinDlg::RunMalaList(const ListRequest& request) {
    std::string path = ChooseListFile(request);
    // Without a file there is no MaLa list to write, and the run ends here.
    if (path.empty()) {
        return;
    }
    ListResult result;
    {
        CProgressDlg progress(this);
        progress.Start(false, 1000, SCANNING, "");
        progress.FollowFile(m_inputFile);
        // The file in place is replaced only by a whole list.
        result = RunListToFile(m_inputFile, request, path);
    }
    m_output->SetDestinations(false, true);
    switch (result.status) {
    case ListStatus::DONE:
        m_gameView->TakeResults(std::make_shared<const std::string>(), ToQString(FoundText(result)));
        ShowMessage(this, "The list of " + GamesText(result.matchCount) + " was saved as\r\n" + path);
        break;
    case ListStatus::INPUT_READ_FAILED:
        m_gameView->TakeResults(std::make_shared<const std::string>(), {});
        ShowMessage(this, ListRunMessage(result.status, request, m_inputPath), MessageIcon::ERROR);
        break;
    default:
        ShowMessage(this, ListRunMessage(result.status, request, m_inputPath, path), MessageIcon::EXCLAMATION);
        break;
    }
}

std::string CPellaquinDlg::ChooseListFile(const ListRequest& request) {
    const ListTypeInfo& type = ListTypeOf(request.type);
    std::filesystem::path home = QFile::encodeName(QDir::homePath()).toStdString();
    ExportPlace place = UsualExportPlace(request.type, request.exports, home);
    // The folder its reader takes the list from, when there is one, is where the user wants it.
    std::filesystem::path folder = ExistingExportFolder(place);
    if (folder.empty()) {
        folder = m_lastSaveFolder.empty() ? home : std::filesystem::path(m_lastSaveFolder);
    }
    std::string path = (folder / SuggestedFileName(request, place.fileName)).string();
    // "No" to replacing a file goes back to the dialog, for another name.
    while (ChooseSaveFile(SAVE_TITLE, path, SaveFilters(type), type.defaultExtension) && !path.empty()) {
        if (!type.wholeDocument && type.type != ListType::MALA) {
            return path;
        }
        if (MayReplace(this, path)) {
            return path;
        }
    }
    return {};
}

void CPellaquinDlg::SaveResultText(const std::string& text, const ListRequest& request, std::int32_t matchCount,
                                   std::string path) {
    if (path.empty()) {
        path = ChooseListFile(request);
    }
    if (path.empty()) {
        return;
    }
    m_lastSaveFolder = std::filesystem::path(path).parent_path().string();
    const ListTypeInfo& type = ListTypeOf(request.type);
    std::error_code error;
    bool appending = !type.wholeDocument && std::filesystem::exists(path, error);
    // The bytes go as they are: the "Window" line ends, when ticked, are already in them. A front-end's file is
    // one document: it is replaced, never added to.
    int failure = 0;
    if (!(type.wholeDocument ? ReplaceFileWith(path, text, &failure) : AppendToFile(path, text, &failure))) {
        ShowMessage(this, OutputNotWritableMessage(path) + WriteFailureReason(failure), MessageIcon::EXCLAMATION);
        return;
    }
    // Shown in the window the list needs no word; where it went always does when it went after another.
    if (appending) {
        ShowMessage(this, "The list of " + GamesText(matchCount) + " was added at the end of\r\n" + path);
    } else if (!m_output->ToWindow()) {
        ShowMessage(this, "The list of " + GamesText(matchCount) + " was saved as\r\n" + path);
    }
}

} // namespace pellaquin
