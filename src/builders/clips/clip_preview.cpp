#include "builders/clips/clip_preview.h"

#include "media/clip_source.h"
#include "media/swf_reader.h"
#include "platform/clip_table.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

std::optional<TClipPreview> PreviewClip(int index, const TDataRoot& data,
                                        const TTemplatePack& templates,
                                        const std::filesystem::path& workFolder) {
  const std::string name = ClipName(index);
  std::optional<TClipBytes> clip = LoadClipStream(name, data, templates);
  if (!clip) return std::nullopt;
  TMemoryViewStream stream(clip->Bytes);
  TSWFStreamReader reader(stream);
  if (!reader.Valid) throw FormatError("the clip " + name + " is not a SWF movie");
  const TClipFrame frame = TClipFrame::Of(reader.Header());
  const std::filesystem::path file = workFolder / kClipPreviewFile;
  WriteWholeFile(file.string(), clip->Bytes);
  return TClipPreview{file, frame,
                      std::to_string(frame.Width) + "x" + std::to_string(frame.Height)};
}

}  // namespace orvanta
