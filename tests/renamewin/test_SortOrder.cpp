#include "SortOrder.h"

#include <QStringList>
#include <gtest/gtest.h>

using renamewin::SortOrder;
using renamewin::SortOrders;

namespace {

engine::PreviewRow row(const char *name, int64_t size, const char *modified, const char *path,
                       const char *type, const char *folder, const char *picture)
{
    engine::PreviewRow r;
    r.Original = QString::fromUtf8(name);
    r.Size = size;
    r.Modified = QString::fromUtf8(modified);
    r.Path = QString::fromUtf8(path);
    r.Type = QString::fromUtf8(type);
    r.Folder = QString::fromUtf8(folder);
    r.PictureTakenDate = QString::fromUtf8(picture);
    r.Preview = r.Original + QStringLiteral("-new");
    return r;
}

QStringList names(const std::vector<engine::PreviewRow> &rows)
{
    QStringList out;
    for (const engine::PreviewRow &r : rows)
        out << r.Original;
    return out;
}

std::vector<engine::PreviewRow> sample()
{
    return {
        row("beta.jpg", 300, "2024-03-01 10:00:00", "/z/", "JPEG Image", "z", "DateTimeOriginal: 2021:05:01 08:00:00"),
        row("Alpha.txt", 20, "2023-12-31 23:59:59", "/a/", "TXT File", "a", ""),
        row("gamma.jpg", 1000, "2024-01-15 09:30:00", "/m/", "JPEG Image", "m", "DateTime: 2019:11:30 17:45:10"),
        row("delta.doc", 5, "", "/b/", "DOC File", "b", "Model: Camera"),
    };
}

} // namespace

TEST(SortOrder, TheFourteenOrders)
{
    struct Expect {
        int index;
        QStringList order;
    };
    const Expect cases[] = {
        {0, {"Alpha.txt", "beta.jpg", "delta.doc", "gamma.jpg"}},
        {1, {"gamma.jpg", "delta.doc", "beta.jpg", "Alpha.txt"}},
        {2, {"delta.doc", "Alpha.txt", "beta.jpg", "gamma.jpg"}},
        {3, {"gamma.jpg", "beta.jpg", "Alpha.txt", "delta.doc"}},
        // A row without a date sorts before every date, and after them in the other order.
        {4, {"delta.doc", "Alpha.txt", "gamma.jpg", "beta.jpg"}},
        {5, {"beta.jpg", "gamma.jpg", "Alpha.txt", "delta.doc"}},
        // Picture dates are taken from the date itself, whatever tag line holds it.
        {6, {"Alpha.txt", "delta.doc", "gamma.jpg", "beta.jpg"}},
        {7, {"beta.jpg", "gamma.jpg", "Alpha.txt", "delta.doc"}},
        {8, {"Alpha.txt", "delta.doc", "gamma.jpg", "beta.jpg"}},
        {9, {"beta.jpg", "gamma.jpg", "delta.doc", "Alpha.txt"}},
        {10, {"delta.doc", "beta.jpg", "gamma.jpg", "Alpha.txt"}},
        {11, {"Alpha.txt", "beta.jpg", "gamma.jpg", "delta.doc"}},
        {12, {"Alpha.txt", "delta.doc", "gamma.jpg", "beta.jpg"}},
        {13, {"beta.jpg", "gamma.jpg", "delta.doc", "Alpha.txt"}},
    };
    ASSERT_EQ(SortOrders.size(), 14u);
    for (const Expect &c : cases) {
        const SortOrder &order = SortOrders[size_t(c.index)];
        SCOPED_TRACE(order.caption().toStdString());
        std::vector<engine::PreviewRow> rows = sample();
        order.sort(rows);
        EXPECT_EQ(names(rows), c.order);
        for (const engine::PreviewRow &r : rows)
            EXPECT_EQ(r.Preview, r.Original + QStringLiteral("-new")) << "rows move whole";
    }
}

TEST(SortOrder, EqualKeysKeepTheirOrderInBothDirections)
{
    std::vector<engine::PreviewRow> rows = {
        row("one", 7, "", "/", "", "", ""), row("two", 7, "", "/", "", "", ""),
        row("three", 1, "", "/", "", "", ""), row("four", 7, "", "/", "", "", "")};
    SortOrders[3].sort(rows);
    EXPECT_EQ(names(rows), QStringList({"one", "two", "four", "three"}));
    SortOrders[2].sort(rows);
    EXPECT_EQ(names(rows), QStringList({"three", "one", "two", "four"}));
}

TEST(SortOrder, DatesOfCells)
{
    using renamewin::sortDate;
    EXPECT_EQ(sortDate(QStringLiteral("2024-03-01 10:00:00")), QDateTime(QDate(2024, 3, 1), QTime(10, 0), Qt::UTC));
    EXPECT_EQ(sortDate(QStringLiteral("2021:05:01 08:00:00")), QDateTime(QDate(2021, 5, 1), QTime(8, 0), Qt::UTC));
    EXPECT_EQ(sortDate(QStringLiteral("DateTimeOriginal: 2021:05:01 08:00:00")),
              QDateTime(QDate(2021, 5, 1), QTime(8, 0), Qt::UTC));
    EXPECT_EQ(sortDate(QStringLiteral("3/4/2022 1:02:03 PM")), QDateTime(QDate(2022, 3, 4), QTime(13, 2, 3), Qt::UTC));
    EXPECT_FALSE(sortDate(QString()));
    EXPECT_FALSE(sortDate(QStringLiteral("Model: Camera")));
    EXPECT_FALSE(sortDate(QStringLiteral("File is not in EXIF format.")));
}
