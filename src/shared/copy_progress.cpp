#include "shared/copy_progress.h"

#include "shared/locale_format.h"
#include "shared/messages.h"
#include "shared/text_format.h"

namespace {

const ULONGLONG kReportIntervalMs = 20;  // the bar moves and Cancel is heard this often

}  // namespace

CopyBatch::CopyBatch(size_t files, const std::string& caption)
    : window_(caption.empty() ? TextFor(Text::AddingCaption) : caption, true), files_(files)
{
}

std::string CopyBatch::CountText() const
{
    return files_ > 1 ? TextFor(Text::CountOf, {FormatCount(index_ + 1), FormatCount(files_)}) : std::string();
}

void CopyBatch::StartFile(const std::string& name, size_t index)
{
    name_ = name;
    index_ = index;
    window_.SetLines(name_, CountText());
}

bool CopyBatch::Progress(ULONGLONG done, ULONGLONG total, void* batch)
{
    CopyBatch* self = static_cast<CopyBatch*>(batch);
    ULONGLONG now = GetTickCount64();
    if (done < total && now - self->lastReport_ < kReportIntervalMs)
        return !self->window_.Cancelled();
    self->lastReport_ = now;
    bool moreToDo = done < total || self->index_ + 1 < self->files_;
    self->window_.Update(self->name_, self->CountText(), done, total, moreToDo);
    return !self->window_.Cancelled();
}
