#include "updates/drop_decision.h"

#include "mods/mod_names.h"

DropDecision DecideDroppedFile(const DroppedFile& file, const std::function<bool()>& sameBytes)
{
    switch (RefusalOf(file.fileName, file.folder)) {
    case AddRefusal::None: break;
    case AddRefusal::NotArchive: return {DropAction::Refuse, DropRefusal::NotArchive};
    case AddRefusal::BaseArchiveName: return {DropAction::Refuse, DropRefusal::BaseArchiveName};
    }
    if (file.sameModEarlier)
        return {DropAction::Refuse, DropRefusal::NameTaken};
    switch (file.installed) {
    case InstalledAs::Nothing: return {DropAction::Add, DropRefusal::None};
    case InstalledAs::BothStates:
    case InstalledAs::SomethingElse: return {DropAction::Refuse, DropRefusal::NameTaken};
    case InstalledAs::OneArchive: break;
    }
    if (sameBytes())
        return {DropAction::Identical, DropRefusal::None};
    return {DropAction::AskToUpdate, DropRefusal::None};
}

DropDecision AfterQuestion(const DropDecision& decision, bool update)
{
    if (decision.action != DropAction::AskToUpdate)
        return decision;
    return update ? DropDecision{DropAction::Update, DropRefusal::None}
                  : DropDecision{DropAction::Refuse, DropRefusal::NameTaken};
}
