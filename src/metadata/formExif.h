#pragma once
/**
 * "Exif Data": a window with one list that shows the EXIF dump of a picture, one line per
 * directory entry, each line carrying its tag number as item data. Its controls keep their
 * proportions when the window is resized.
 */
#include <QRect>
#include <QString>
#include <QWidget>

class QListWidget;

namespace metadata {

class formExif : public QWidget {
    Q_OBJECT
public:
    /** The picture the window shows when no other is given: "Sample.jpg" in the program
     *  folder. */
    static QString SamplePicture();

    /** Builds the window and dumps `picture` into its list (Form_Load). */
    explicit formExif(QWidget *parent = nullptr, QString picture = SamplePicture());

    /** The picture shown. */
    const QString &picture() const { return m_picture; }

    QListWidget *lstExif = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();

    QString m_picture;
    QSize m_designClient;
    QRect m_designList;
};

} // namespace metadata
