#include "core/DoubledPictures.h"

#include <QSizeF>

#include <algorithm>

QString doubledName(const QString& name)
{
    const qsizetype part = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\')) + 1;
    const qsizetype dot = name.lastIndexOf(u'.');
    // A leading dot names a hidden file, not an extension.
    const qsizetype at = dot > part ? dot : name.size();
    QString out = name;
    return out.insert(at, QStringLiteral("@2x"));
}

bool isDoubleOf(QSize doubled, QSize picture)
{
    return picture.isValid() && !picture.isEmpty() && doubled == picture * 2;
}

PictureChoice choosePicture(double ratio, bool haveDoubled)
{
    if (!(ratio > 1.0) || !haveDoubled) {
        return PictureChoice::Picture;
    }
    return ratio == 2.0 ? PictureChoice::Doubled : PictureChoice::DoubledScaled;
}

QSize deviceSize(QSize logical, double ratio)
{
    return (QSizeF(logical) * ratio).toSize();
}
