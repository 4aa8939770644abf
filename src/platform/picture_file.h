#pragma once

#include "platform/jpeg_rows.h"
#include "platform/skin_image.h"

#include <QString>
#include <optional>

namespace fathomer {

struct LoadedPicture {
    QImage image;
    SkinImage::Kind kind = SkinImage::Kind::Bitmap;
    bool clipped = false;                                    // only the part its box shows was decoded
    std::optional<PreparedPicture> prepared = std::nullopt;  // made ready to draw, where the loader did so
    std::shared_ptr<const JpegRows> rows = nullptr;          // not decoded, to be drawn in bands (image null)
};

// Decodes a picture file with the decoder its extension names (bmp, ico, wmf, emf, jpg, jpeg,
// png; case ignored). Raises AppError with "Unknown picture file extension (.<ext>)" for any
// other extension, and with the decoder's own message for a file it rejects. Decoding is held
// to a fixed memory allowance, so an oversized picture is refused, with a message that says so,
// rather than exhausting memory; so is a file that is not a regular one or larger than any
// real picture file.
// Given the box the picture is drawn in from its top-left corner, a PNG or JPEG picture far
// larger than that box is decoded only as far as the box shows it. A PNG file whose chunks claim
// more bytes than it holds is refused as damaged before any decoder reads it.
LoadedPicture loadPictureFile(const QString &path, QSize shownBox = QSize());
// The same for a picture shown on screen: on a screen denser than 1 a file named like it with
// "@2x" before the extension is taken instead when it lies beside it, marked as drawn at half its
// pixel size (and decoded as far as twice the box shows it). Only the file used is decoded.
LoadedPicture loadScreenPicture(const QString &path, QSize shownBox = QSize());
// The same with the screen's density given, for a decode off the user-interface thread.
LoadedPicture loadScreenPicture(const QString &path, QSize shownBox, bool dense);
// The same for a picture as large as the screen: a JPEG picture whose rows can be decoded in
// order is only checked, and kept as its file's bytes to be drawn band by band (rows). Any other
// picture, or one that check refuses, is decoded whole as above, with the same errors.
LoadedPicture loadBandedScreenPicture(const QString &path, bool dense);
// Gives the holder the loaded picture, whole or banded.
void showLoadedPicture(SkinImage &image, const LoadedPicture &picture);
void loadPictureInto(SkinImage &image, const QString &path);
// "dir/name@2x.ext" for "dir/name.ext".
QString densePicturePath(const QString &path);
// Whether any screen has a device pixel ratio above 1.
bool screenWantsDensePictures();
// Decodes a picture held in memory with the named decoder, within the same memory allowance.
std::optional<LoadedPicture> decodePictureBytes(const QByteArray &bytes, const QByteArray &format);

// A PNG picture compiled into the program, decoded when it is first needed: windows created at
// start-up but not yet shown cost no decoding. A missing resource leaves the holder blank. Its
// "@2x" version is taken on a dense screen, as for files.
void setResourcePicture(SkinImage &image, const QString &resource);

// Gives every window of the program its icon, from the two sizes compiled in; once, later calls
// do nothing. Decoded by the PNG reader itself: an icon made from file names would ask every
// picture plug-in in turn whether it reads them, loading each.
void giveProgramIcon();

// The stand-in for a missing picture: a 10 x 10 red square with a one-pixel black border.
QImage missingPicturePlaceholder();

// The allowance, in megabytes, for one decoded picture (at four bytes a pixel, as it is drawn):
// with the pixmap that draws it, the program stays within 200 MB whatever the picture.
constexpr int kPictureAllocationLimitMB = 64;
// No real picture file of the device, its backdrop or its manual comes near this size.
constexpr qint64 kMaxPictureFileBytes = 64 * 1024 * 1024;

}  // namespace fathomer
