// PNG pictures read by Qt's own decoder, without first asking every
// image-format plugin about them.
//
// Given a ".png" name, Qt's image reader asks each installed plugin (gif,
// jpeg, tiff, webp, ...) whether it also knows the format, and loading them
// maps their codec libraries: 21 libraries, 1.4 MB resident and 15 M
// instructions of loading, for nothing, since PNG is decoded by QtGui itself. The question
// is not asked when a plugin claims the name: this one does, and hands the
// device to QtGui's decoder. A style sheet's "image: url(...)", every
// QIcon and QPixmap of a PNG and Qt's own standard icons all come here.
#include <QIODevice>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QImageReader>

namespace {

// Set while the built-in decoder is being found, so that this plugin does not
// claim the format from itself.
thread_local bool t_delegating = false;

class Delegating {
public:
    Delegating() { t_delegating = true; }
    ~Delegating() { t_delegating = false; }
    Delegating(const Delegating &) = delete;
    Delegating &operator=(const Delegating &) = delete;
};

class PngHandler : public QImageIOHandler {
public:
    PngHandler(QIODevice *device, const QByteArray &format)
    {
        setDevice(device);
        setFormat(format);
        m_reader.setDevice(device);
        m_reader.setFormat("png");
        m_reader.setAutoDetectImageFormat(false);
    }

    // Asked while Qt's reader holds its plugin lock: the decoder cannot be
    // looked up here, the signature says enough.
    bool canRead() const override
    {
        return device() && device()->peek(8) == QByteArray("\x89PNG\r\n\x1a\n", 8);
    }
    bool read(QImage *image) override
    {
        const Delegating delegating;
        return m_reader.read(image);
    }
    bool supportsOption(ImageOption option) const override { return option == Size; }
    QVariant option(ImageOption option) const override
    {
        if (option != Size)
            return {};
        const Delegating delegating;
        return m_reader.size();
    }

private:
    mutable QImageReader m_reader;
};

} // namespace

// Linked in statically (Q_IMPORT_PLUGIN in main()); the key "png" in
// PngFormat.json is what makes Qt's readers come here first.
class PngFormatPlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "PngFormat.json")

public:
    Capabilities capabilities(QIODevice *, const QByteArray &format) const override
    {
        if (t_delegating || format != "png")
            return {};
        return CanRead;
    }
    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override
    {
        return new PngHandler(device, format);
    }
};

#include "PngFormat.moc"
