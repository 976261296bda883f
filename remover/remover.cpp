// The removal program's commands over its seams: start-up, list, Info, Remove, Help.
#include "remover/remover.h"

#include "remover/progman_commands.h"
#include "remover/remover_texts.h"

namespace {

// A DIR of this many characters or fewer ("C:\") is a drive's root and is never removed.
constexpr size_t kRootLength = 3;

// The window's commands, off for as long as it lives.
class CommandsOff {
public:
    explicit CommandsOff(RemoverUi* ui) : ui_(ui) { ui_->EnableCommands(false); }
    ~CommandsOff() { ui_->EnableCommands(true); }
    CommandsOff(const CommandsOff&) = delete;
    CommandsOff& operator=(const CommandsOff&) = delete;

private:
    RemoverUi* ui_;
};

}  // namespace

Remover::Remover(const Seams& seams, platform::ModuleHandle strings)
    : seams_(seams), strings_(strings), records_(seams.records) {}

void Remover::Startup(const std::string& currentFolder, const std::string& productFolder) {
    seams_.ui->SetTitle(strings_.Load(zoclear_text::kCaption));
    if (currentFolder != productFolder) {
        ErrorMessage(false, strings_.Load(zoclear_text::kWrongFolder));
        seams_.ui->Quit();
        return;
    }
    // One reading of the list serves the list, the check and the notice: on the system each
    // key read opens the records file again.
    const std::vector<std::string> names = records_.ReadPartNames(records_.ReadPartCount());
    seams_.ui->SetPartList(names);
    if (names.empty()) {
        ErrorMessage(false, strings_.Load(zoclear_text::kNoRecords));
        seams_.ui->Quit();
        return;
    }
    std::string notice = strings_.Load(zoclear_text::kStartupNotice) + "\n\n";
    for (const std::string& name : names) notice += name + "\n";
    seams_.ui->ShowNotice(notice);
}

void Remover::FillGroupList() {
    seams_.ui->SetPartList(records_.ReadPartNames(records_.ReadPartCount()));
}

void Remover::ShowInfo() {
    RemovalPlan plan;
    int index = 0, count = 0;
    if (PlanSelected(&plan, &index, &count)) ShowFileList(plan, false);
}

void Remover::Remove() {
    RemovalPlan plan;
    int index = 0, count = 0;
    if (!PlanSelected(&plan, &index, &count)) return;
    const CommandsOff commandsOff(seams_.ui);
    // A name that cannot be sent is found before anything goes: a part removed halfway could
    // never be removed later, its group name being refused again at every try.
    std::string refused;
    if (FindUnsendableName(plan, &refused)) {
        ErrorMessage(false, strings_.Format(zoclear_text::kRefusedName, refused));
        return;
    }
    if (!ShowFileList(plan, true)) return;
    // Nor is anything deleted that the records could not then forget: they would go on
    // listing files that are gone.
    if (!seams_.records->CanWrite()) {
        ErrorMessage(false, strings_.Format(zoclear_text::kRecordsLocked, seams_.records->Path()));
        return;
    }

    bool filesGone = true;
    const int keys = static_cast<int>(plan.deletions.size());
    const int total = keys + 2;
    SetProgress(0, total);
    for (int k = 0; k < keys; ++k) {
        const std::string& path = plan.deletions[k];
        if (!path.empty() && seams_.files->RemoveFile(path) == RemoveOutcome::kRefused) {
            filesGone = false;
            if (!ErrorMessage(true, strings_.Format(zoclear_text::kDeleteFailed, path))) break;
        }
        SetProgress(k + 1, total);
    }
    if (plan.part.folder.size() > kRootLength) seams_.files->RemoveFolder(plan.part.folder);
    SetProgress(keys + 1, total);

    // A file that could not be deleted keeps the part listed with all its keys, so that a
    // second try, once the user has closed what held it, finds it again.
    if (filesGone) ForgetPart(plan, index, count, total);
    SetProgress(0, 1);
    FillGroupList();
}

void Remover::ForgetPart(const RemovalPlan& plan, int index, int count, int total) {
    // The section goes before Program Manager is asked: when it cannot be deleted, the part
    // keeps all its records and nothing is sent, so that a second try does all of it again
    // (the files already gone are passed over). Once the section has gone, the list line
    // goes too, whatever Program Manager answered: kept, it would send the whole conversation
    // again at every try, and a Program Manager that refuses to delete an item already gone
    // would keep the part from ever leaving the list.
    bool entriesGone = false, listDropped = false;
    if (records_.DeletePart(plan.part.name)) {
        entriesGone = RemoveProgmanEntries(plan);
        listDropped = records_.DropFromList(index, count);
    }
    if (!listDropped) {
        ErrorMessage(false,
                     strings_.Format(zoclear_text::kRecordsNotUpdated, seams_.records->Path()));
        return;
    }
    if (entriesGone) {
        SetProgress(total, total);
        seams_.ui->Show(strings_.Load(zoclear_text::kCompleted), BoxIcon::kInformation);
    }
    if (count - 1 <= 0) {
        seams_.files->StartSelfRemoval();
        seams_.ui->Quit();
    }
}

void Remover::ShowHelp() {
    seams_.ui->Show(strings_.Load(zoclear_text::kHelp), BoxIcon::kInformation);
}

bool Remover::ErrorMessage(bool ask, const std::string& text) {
    seams_.ui->Beep();
    if (!ask) {
        seams_.ui->Show(text, BoxIcon::kExclamation);
        return true;
    }
    return seams_.ui->Ask(text + "\n" + strings_.Load(zoclear_text::kGoOn));
}

bool Remover::PlanSelected(RemovalPlan* plan, int* index, int* count) const {
    const std::vector<InstalledPart> listed = records_.ReadListedParts();
    const int selected = seams_.ui->SelectedPart();
    if (selected < 0 || selected >= static_cast<int>(listed.size())) return false;
    *index = selected;
    *count = static_cast<int>(listed.size());
    *plan = PlanRemoval(listed, static_cast<size_t>(selected));
    return true;
}

bool Remover::ShowFileList(const RemovalPlan& plan, bool ask) {
    const std::vector<std::string> paths = plan.DeletedPaths();
    std::string text;
    if (paths.empty()) {
        text = strings_.Load(zoclear_text::kNothingToDelete);
    } else {
        text = strings_.Format(zoclear_text::kFileCount, static_cast<int>(paths.size())) + "\n\n";
        for (const std::string& path : paths) text += path + "\n";
    }
    if (!ask) {
        seams_.ui->Show(text, BoxIcon::kExclamation);
        return true;
    }
    text += "\n\n";
    text += strings_.Load(paths.empty() ? zoclear_text::kGoOn : zoclear_text::kDeleteAll);
    return seams_.ui->Ask(text) && seams_.ui->Ask(strings_.Load(zoclear_text::kStartQuestion));
}

bool Remover::RemoveProgmanEntries(const RemovalPlan& plan) {
    const std::vector<std::string> commands = ProgmanCommands(plan);
    if (commands.empty() || seams_.programManager->Execute(commands)) return true;
    ErrorMessage(false, strings_.Load(zoclear_text::kNoProgramManager));
    return false;
}

void Remover::SetProgress(int position, int total) {
    int percent = total != 0 ? position * 100 / total : 0;
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    seams_.ui->SetProgress(percent);
}
