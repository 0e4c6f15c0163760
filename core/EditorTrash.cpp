// core/EditorTrash.cpp -- the Trashcan page: move, regain, erase, empty
#include "core/Editor.h"

#include "core/EditorPages.h"
#include "core/Trashcan.h"
#include "desktop/Button.h"
#include "desktop/ListBox.h"
#include "process/Kill.h"

bool Teditor::MoveToTrash(const std::string& path) {
    // No program, so nothing to stop, record or move (and no Trashcan folder made for it).
    if (path.empty()) return false;
    bool stopped = true;
    memRefreshbtn->Click();
    // One stop ends every copy of the program (and waits for them), so it runs once however
    // many lines show this path; the exact, case-sensitive match is the process list's own text.
    // A program that ended since the list was taken is stopped, not "could not be stopped".
    const std::vector<std::string> running = memList->Items().Lines();
    for (const std::string& line : running) {
        if (line == path) {
            stopped = StopProgram(path);
            break;
        }
    }
    TTrashcan trash = MakeTrashcan();
    trash.EnsureFolder();
    if (!stopped) return false;
    return trash.Store(path);
}

bool Teditor::RestoreFromTrash(const std::string& path) {
    bool restored = MakeTrashcan().Restore(path);
    trashRefreshbtn->Click();
    return restored;
}

bool Teditor::EraseFromTrash(const std::string& path) {
    bool erased = MakeTrashcan().Erase(path);
    trashRefreshbtn->Click();
    return erased;
}

void Teditor::LoadTrashList() { LoadListBox(*trashList, TrashListFile()); }

void Teditor::trashRefreshbtnClick(TObject*) { LoadTrashList(); }

void Teditor::Button8Click(TObject*) {
    ActOnSelectedLine(*this, *trashList,
                      {.NothingSelected = "You must select some application first.",
                       .Done = "AApplication was successfully restored.",
                       .Failed = "Couldn't regain this application."},
                      [this](const std::string& line) { return RestoreFromTrash(line); });
}

void Teditor::Button9Click(TObject*) {
    ActOnSelectedLine(*this, *trashList,
                      {.NothingSelected = "You must select some application first.",
                       .Done = "This application was successfully wiped out.",
                       .Failed = "Couldn't erase this application."},
                      [this](const std::string& line) { return EraseFromTrash(line); });
}

void Teditor::Button7Click(TObject*) {
    // Each erase rebuilds the list box: work from the lines as they were when pressed.
    const std::vector<std::string> lines = trashList->Items().Lines();
    for (const std::string& line : lines) EraseFromTrash(line);
}
