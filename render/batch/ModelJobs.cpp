#include "render/batch/ModelJobs.h"

#include "platform/AtomicFile.h"
#include "render/export/GlbFile.h"
#include "render/export/WebPage.h"

void WriteModelJob(const TRunBox& box, const TPictureJob& job)
{
    if (job.Kind == TJobKind::Model) {
        WriteBoxGlb(job.OutputFile, box.Artwork, box.Options.TextureSide);
        return;
    }
    const auto name = box.Fields.find("name");
    WriteFileAtomically(job.OutputFile, WebPage(name == box.Fields.end() ? box.Label : name->second));
}
