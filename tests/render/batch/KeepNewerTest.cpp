#include "render/batch/KeepNewer.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Writes the file, modified the given seconds after the epoch.
std::string Touch(const QTemporaryDir& folder, const std::string& name, time_t seconds, const std::string& text = "x")
{
    const std::string path = folder.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path) << text;
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
    return path;
}

} // namespace

TEST(KeepNewer, APictureNewerThanEveryInputIsKept)
{
    QTemporaryDir folder;
    const std::string front = Touch(folder, "front.png", 1000), back = Touch(folder, "back.png", 2000);
    EXPECT_TRUE(IsNewerThanAll(Touch(folder, "out.png", 3000), {front, back}));
    EXPECT_FALSE(IsNewerThanAll(Touch(folder, "out.png", 1500), {front, back}));  // the back changed since
    EXPECT_FALSE(IsNewerThanAll(Touch(folder, "out.png", 2000), {front, back}));  // as old: draw again
    EXPECT_FALSE(IsNewerThanAll(folder.filePath("none.png").toStdString(), {front}));
    EXPECT_FALSE(IsNewerThanAll(Touch(folder, "out.png", 3000), {front, folder.filePath("gone.png").toStdString()}));
    EXPECT_FALSE(IsNewerThanAll(Touch(folder, "out.png", 3000), {}));
}

TEST(KeepNewer, TheInputsAreTheCoverFileAndTheImagesItsPictureShows)
{
    QTemporaryDir folder;
    const std::string cover =
        Touch(folder, "box.cov", 1, "[Properties]\nCover=c.bmp\nSpine=s.bmp\nFloor=f.bmp\n[Options]\nFloor=0\n");
    TBoxArtwork artwork{.CoverFile = cover};
    artwork.Faces[size_t(TArtFace::Back)] = "/art/back.png";
    const std::string in = folder.path().toStdString() + "/";
    // The floor does not show, so its image is no input.
    EXPECT_EQ(BoxInputs(artwork), (std::vector<std::string>{"/art/back.png", cover, in + "c.bmp", in + "s.bmp"}));
    EXPECT_EQ(BoxInputs(TBoxArtwork{}), std::vector<std::string>{});  // no front: drawing says why
}
