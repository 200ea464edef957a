#include "cover/PictureStore.h"

#include "platform/Error.h"
#include "tests/platform/pictures/PictureTestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(PictureStore, HoldsFourNamedItemsInOrder)
{
    TPictureStore store;
    ASSERT_EQ(store.Count(), 4);
    EXPECT_EQ(store.Item(0).Name, "Front");
    EXPECT_EQ(store.Item(1).Name, "Spine");
    EXPECT_EQ(store.Item(2).Name, "Top");
    EXPECT_EQ(store.Item(3).Name, "Floor");
    for (int index : {-1, 4}) {
        try {
            store.Item(index);
            ADD_FAILURE() << index;
        } catch (const TError& e) {
            EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
}

TEST(PictureStore, ItemsStartWithTheirBuiltInPictureOrEmptyWithoutOne)
{
    const TPictureStore store;
    const QSize sizes[] = {{674, 674}, {169, 674}, {199, 674}, {256, 256}};
    for (int i = 0; i < store.Count(); ++i) {
        const TPicture& picture = store.Item(i).Picture;
        if (QFile::exists(kDefaultPicturePaths[i])) {
            EXPECT_EQ(QSize(picture.Width(), picture.Height()), sizes[i]) << kDefaultPicturePaths[i];
        } else {
            EXPECT_TRUE(picture.Empty()) << kDefaultPicturePaths[i];
        }
    }
}

TEST(PictureStore, AnItemLoadsAFileByThePictureRulesAndKeepsItsPictureOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("spine.Jpeg");
    picture_test::WriteFile(path, picture_test::Encode(picture_test::Solid(30, 90, 0), "jpeg"));
    TPictureStore store;
    store.Item(1).Picture.LoadFromFile(path.toStdString());
    EXPECT_EQ(store.Item(1).Picture.Width(), 30);
    EXPECT_THROW(store.Item(1).Picture.LoadFromFile(dir.filePath("spine.tga").toStdString()), TError);
    EXPECT_EQ(store.Item(1).Picture.Height(), 90);
}
