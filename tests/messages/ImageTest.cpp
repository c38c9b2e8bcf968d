// Message pictures are scaled to 200 pixels high beside the chosen file.
#include "db/Error.h"
#include "messages/ImagenMensaje.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr::messages;

namespace {
QString makeImage(const QTemporaryDir& dir, const QString& name, int w, int h, const char* format)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(img.save(path, format));
    return path;
}
} // namespace

TEST(MessagePicture, ScaledTo200HighKeepingProportionsBesideTheOriginal)
{
    QTemporaryDir dir;
    struct Case { const char* name; const char* format; int w, h; int expectW; };
    const Case cases[] = {{"wide.jpg", "JPEG", 400, 100, 800},
                          {"tall.bmp", "BMP", 90, 300, 60},
                          {"odd.jpg", "JPEG", 333, 1000, 67}, // 66.6 rounds up
                          {"small.bmp", "BMP", 50, 20, 500}};
    for (const Case& c : cases) {
        const QString src = makeImage(dir, c.name, c.w, c.h, c.format);
        const QString out = redimensionarImagen(src);
        EXPECT_EQ(out, rutaRedimensionada(src));
        const QImage img(out);
        EXPECT_EQ(img.size(), QSize(c.expectW, 200)) << c.name;
        EXPECT_EQ(QImageReader(out).format(), QByteArray(c.format).toLower()) << c.name;
    }
}

TEST(MessagePicture, ResizedNameKeepsFolderAndExtension)
{
    EXPECT_EQ(rutaRedimensionada("/home/ana/fotos.2026/cartel.JPG"), "/home/ana/fotos.2026/cartel_resized.JPG");
    EXPECT_EQ(rutaRedimensionada("/tmp/a.b.gif"), "/tmp/a.b_resized.gif");
    EXPECT_EQ(rutaRedimensionada("/home/ana/fotos.2026/cartel"), "/home/ana/fotos.2026/cartel_resized");
}

TEST(MessagePicture, GifIsReadableUnderItsResizedName)
{
    QTemporaryDir dir;
    // A GIF cannot be written here: the resized file is a PNG under the .gif name.
    const QString src = makeImage(dir, "logo.png", 100, 50, "PNG");
    const QString gif = dir.filePath("logo.gif");
    ASSERT_TRUE(QFile::rename(src, gif));
    const QString out = redimensionarImagen(gif);
    EXPECT_TRUE(out.endsWith("logo_resized.gif"));
    EXPECT_EQ(QImage(out).size(), QSize(400, 200));
}

TEST(MessagePicture, NotAPictureOrMissingIsAClearError)
{
    QTemporaryDir dir;
    const QString text = dir.filePath("notas.jpg");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("esto no es una imagen");
    f.close();
    try {
        redimensionarImagen(text);
        FAIL();
    } catch (const zqvr::Error& e) {
        EXPECT_TRUE(e.description().contains("no es una imagen válida")) << e.description().toStdString();
    }
    EXPECT_FALSE(QFile::exists(rutaRedimensionada(text)));
    EXPECT_THROW(redimensionarImagen(dir.filePath("nada.jpg")), zqvr::Error);
}

TEST(MessagePicture, AHugePictureIsScaledWithoutFailing)
{
    QTemporaryDir dir;
    // 10,000 x 10,000 would need 400 MB decoded at full size; JPEG decodes
    // straight at the scaled size.
    const QString src = dir.filePath("huge.jpg");
    {
        QImage img(10000, 10000, QImage::Format_Grayscale8);
        img.fill(128);
        ASSERT_TRUE(img.save(src, "JPEG"));
    }
    const QString out = redimensionarImagen(src);
    EXPECT_EQ(QImage(out).size(), QSize(200, 200));
}
