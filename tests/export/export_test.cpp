#include <gif_lib.h>
#include <gtest/gtest.h>
#include <zip.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

#include "export/animated_gif.h"
#include "export/backup_image.h"
#include "export/banner_frames.h"
#include "export/page_build.h"
#include "export/site_package.h"
#include "media/picture_codecs.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/field_registry.h"
#include "publish/publisher.h"
#include "render/pixmap_output.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

const TTemplatePack& Templates() {
  static const std::vector<uint8_t> bytes = [] {
    std::ifstream in(ORVANTA_TEMPLATE_PACK, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  static const TTemplatePack pack(bytes);
  return pack;
}

// A small banner with a moving headline over a yellow page, built into its own folder.
class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("orvanta-export-test-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "work");
    doc_ = TBannerDocument::New();
    TWarnings warnings;
    for (const auto& [name, value] :
         std::map<std::string, std::string>{{"SWFWidth", "240"}, {"SWFHeight", "80"},
                                            {"TextPosX", "10"}, {"TextPosY", "20"},
                                            {"TextEffectID", "3"}, {"SpeedFPS", "12"},
                                            {"PageBackGroundSolidColor", "65535"}})
      doc_.Current.SetField(FindSavedField(name), value, "", 1, warnings);
    doc_.Current.InputText = "Big Sale";
    ASSERT_TRUE(warnings.empty()) << warnings.front().Text();
  }
  void TearDown() override { fs::remove_all(folder_); }

  TBannerFrames Build() {
    BuildPageFiles(doc_, data_, Templates(), Work(), 1);
    return TBannerFrames(Work());
  }
  fs::path Work() const { return folder_ / "work"; }

  fs::path folder_;
  TBannerDocument doc_;
  const TDataRoot data_{ORVANTA_DATA_ROOT};
};

// The frames of a GIF as a viewer shows them: each drawn over the last, transparent pixels
// keeping what was there. RGB, with the delay of each.
struct TShownFrame {
  std::vector<uint8_t> Rgb;
  int Delay = 0;
  int Area = 0;  // of the stored rectangle
};
std::vector<TShownFrame> PlayGif(const std::vector<uint8_t>& bytes, int& loops) {
  struct TSource {
    const std::vector<uint8_t>* Bytes;
    size_t Pos = 0;
  } source{&bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(
      &source,
      [](GifFileType* g, GifByteType* out, int n) {
        auto* s = static_cast<TSource*>(g->UserData);
        n = int(std::min<size_t>(size_t(n), s->Bytes->size() - s->Pos));
        std::copy_n(s->Bytes->data() + s->Pos, n, out);
        s->Pos += size_t(n);
        return n;
      },
      &error);
  EXPECT_NE(gif, nullptr);
  EXPECT_EQ(DGifSlurp(gif), GIF_OK);
  loops = 1;
  std::vector<TShownFrame> shown;
  std::vector<uint8_t> screen(size_t(gif->SWidth) * gif->SHeight * 3, 0);
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    for (int e = 0; e < image.ExtensionBlockCount; ++e)
      if (image.ExtensionBlocks[e].Function == APPLICATION_EXT_FUNC_CODE && e + 1 < image.ExtensionBlockCount)
        loops = image.ExtensionBlocks[e + 1].Bytes[1] | (image.ExtensionBlocks[e + 1].Bytes[2] << 8);
    GraphicsControlBlock control;
    DGifSavedExtensionToGCB(gif, i, &control);
    const GifImageDesc& d = image.ImageDesc;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    for (int y = 0; y < d.Height; ++y)
      for (int x = 0; x < d.Width; ++x) {
        const int index = image.RasterBits[y * d.Width + x];
        if (index == control.TransparentColor) continue;
        uint8_t* to = &screen[(size_t(d.Top + y) * gif->SWidth + d.Left + x) * 3];
        to[0] = map->Colors[index].Red, to[1] = map->Colors[index].Green, to[2] = map->Colors[index].Blue;
      }
    shown.push_back({screen, control.DelayTime, d.Width * d.Height});
  }
  DGifCloseFile(gif, &error);
  return shown;
}

double MeanError(const std::vector<uint8_t>& rgb, const TPicture& picture) {
  double sum = 0;
  for (size_t i = 0, p = 0; i < rgb.size(); i += 3, p += 4)
    for (int c = 0; c < 3; ++c) sum += std::abs(int(rgb[i + c]) - int(picture.Pixels[p + c]));
  return sum / double(rgb.size());
}

TEST_F(ExportTest, AnimatedGifPlaysBackTheDrawnFramesInTime) {
  TBannerFrames frames = Build();
  const TAnimatedGif gif = MakeAnimatedGif(frames, {6, 30, 0});
  int loops = -1;
  const std::vector<TShownFrame> shown = PlayGif(gif.Bytes, loops);
  EXPECT_EQ(loops, 0);  // forever
  ASSERT_EQ(int(shown.size()), gif.StoredFrames);
  ASSERT_GE(shown.size(), 3u) << "the headline moves";
  // Each stored frame shows the banner at its start time, within what 256 colours allow; only
  // the first covers the whole banner.
  int centiseconds = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    const int sample = int(std::lround(centiseconds * 6 / 100.0));
    const int frame =
        std::min(frames.HeadlineEndFrame(), 1 + int(sample * frames.FrameRate() / 6));
    EXPECT_LT(MeanError(shown[i].Rgb, render::PictureFromPixmap(frames.Render(frame))), 3.0)
        << "stored frame " << i << ", banner frame " << frame;
    if (i > 0) {
      EXPECT_LT(shown[i].Area, frames.Width() * frames.Height()) << "stored frame " << i;
    }
    centiseconds += shown[i].Delay;
  }
  EXPECT_NEAR(centiseconds / 100.0, gif.Seconds, 0.05);
  EXPECT_NEAR(gif.Seconds, frames.HeadlineEndFrame() / frames.FrameRate(), 0.2);

  int once = -1;
  PlayGif(MakeAnimatedGif(frames, {6, 1, 1}).Bytes, once);
  EXPECT_EQ(once, 1) << "no loop extension for one play";
}

TEST_F(ExportTest, BackupImagesShowTheLastHeadlineFrameInEveryFormat) {
  TBannerFrames frames = Build();
  EXPECT_EQ(frames.HeadlineEndFrame(), frames.FrameCount() - 2);
  const render::TPixmap drawn = frames.Render(TFrameChoice{}.Resolve(frames));
  const TPicture expected = render::PictureFromPixmap(drawn);
  for (const TPictureFormat format : {TPictureFormat::Png, TPictureFormat::Jpeg, TPictureFormat::Gif}) {
    const TPicture decoded = DecodePicture(EncodeBackupImage(drawn, format).Bytes);
    ASSERT_EQ(decoded.Width, 240u);
    ASSERT_EQ(decoded.Height, 80u);
    std::vector<uint8_t> rgb;
    for (size_t i = 0; i < decoded.Pixels.size(); i += 4)
      rgb.insert(rgb.end(), decoded.Pixels.begin() + long(i), decoded.Pixels.begin() + long(i) + 3);
    EXPECT_LT(MeanError(rgb, expected), 3.0) << int(format);
  }
  EXPECT_THROW(TFrameChoice{frames.FrameCount() + 1}.Resolve(frames), Error);
}

TEST(BackupImage, AJpegIsMadeToFitItsLimitOrRefused) {
  render::TPixmap noise(200, 200);
  std::mt19937 random(7);
  for (uint8_t& b : noise.Pixels) b = uint8_t(random());
  for (size_t i = 3; i < noise.Pixels.size(); i += 4) noise.Pixels[i] = 255;
  int lastQuality = 100;
  for (int kilobytes : {60, 30, 15}) {
    const TBackupImage image = EncodeBackupImage(noise, TPictureFormat::Jpeg, kilobytes);
    EXPECT_LE(image.Bytes.size(), size_t(kilobytes) * 1024);
    EXPECT_LT(image.Quality, lastQuality);
    lastQuality = image.Quality;
  }
  EXPECT_THROW(EncodeBackupImage(noise, TPictureFormat::Jpeg, 1), Error);
  EXPECT_THROW(EncodeBackupImage(noise, TPictureFormat::Png, 1), Error);
}

std::map<std::string, std::vector<uint8_t>> ZipEntries(const fs::path& archive) {
  int error = 0;
  zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &error);
  EXPECT_NE(zip, nullptr);
  std::map<std::string, std::vector<uint8_t>> entries;
  for (zip_int64_t i = 0; zip && i < zip_get_num_entries(zip, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(zip, zip_uint64_t(i), 0, &stat);
    std::vector<uint8_t> bytes(stat.size);
    zip_file_t* file = zip_fopen_index(zip, zip_uint64_t(i), 0);
    zip_fread(file, bytes.data(), bytes.size());
    zip_fclose(file);
    entries[stat.name] = std::move(bytes);
  }
  if (zip) zip_discard(zip);
  return entries;
}

TEST_F(ExportTest, APublishedPageZipsWithItsBackupImageBeside) {
  const fs::path site = folder_ / "site";
  const TPublishResult published =
      PublishPage(doc_, 1, data_, Templates(), {site, Work(), TPublishMode::CurrentPage, 1, false});
  ASSERT_TRUE(published.Complete()) << published.Summary();
  const fs::path archive = folder_ / "out" / "banner.zip";
  fs::create_directories(archive.parent_path());
  const auto written = PackagePublishedPage(site, published.Files, Work(), {archive, true, 50});
  EXPECT_EQ(written, (std::vector<fs::path>{archive, folder_ / "out" / "banner.jpg"}));

  const auto entries = ZipEntries(archive);
  EXPECT_EQ(entries.size(), published.Files.size());
  for (const fs::path& file : published.Files) {
    const std::string name = fs::weakly_canonical(file).lexically_relative(fs::weakly_canonical(site)).generic_string();
    ASSERT_TRUE(entries.contains(name)) << name;
    EXPECT_EQ(entries.at(name), ReadWholeFile(file.string())) << name;
  }
  for (const char* name : {"index.html", "images/index.swf", "images/index4.jpg", "ruffle/ruffle.js"})
    EXPECT_TRUE(entries.contains(name)) << name;
  const TPicture backup = LoadPictureFile((folder_ / "out" / "banner.jpg").string());
  EXPECT_EQ(backup.Width, 240u);
  EXPECT_FALSE(fs::exists(archive.string() + ".partial"));

  // A file that vanished before it was stored leaves no archive behind.
  std::vector<fs::path> missing = published.Files;
  missing.push_back(site / "gone.jpg");
  EXPECT_THROW(PackagePublishedPage(site, missing, Work(), {folder_ / "out" / "bad.zip", false, {}}), Error);
  EXPECT_FALSE(fs::exists(folder_ / "out" / "bad.zip"));
}

}  // namespace
}  // namespace orvanta
