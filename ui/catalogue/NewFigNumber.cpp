#include "ui/catalogue/NewFigNumber.h"

#include "ui/common/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

QString nextFigureNumber(const QString &lastNumber)
{
    const QString prefix = lastNumber.left(1);
    double next = std::nearbyint(leadingNumber(lastNumber.right(3)) + 1); // halves to the even neighbour
    // Three characters can still spell a huge number ("9e9"); a counter out of
    // the 16-bit range starts again at 1 rather than failing.
    if (next > std::numeric_limits<qint16>::max() || next < std::numeric_limits<qint16>::min())
        next = 1;
    const int n = static_cast<int>(next);
    const QString digits = QString::number(std::abs(n)).rightJustified(3, QLatin1Char('0'));
    return prefix + (n < 0 ? QStringLiteral("-") : QString()) + digits;
}

QString thumbnailNameFor(const QString &figureNumber)
{
    return figureNumber.left(1) + QStringLiteral("P") + figureNumber.mid(1);
}

FigureProposal freeFigureProposal(const QString &proposal, const QString &typeLetter, const TakenFigureNames &taken)
{
    auto isFree = [&taken](const FigureProposal &p) {
        return !taken.numbers.contains(p.number) && !taken.thumbnails.contains(p.thumbnail)
               && !(taken.thumbnailFileExists && taken.thumbnailFileExists(p.thumbnail));
    };
    const FigureProposal asProposed{proposal, thumbnailNameFor(proposal)};
    if (isFree(asProposed))
        return asProposed;
    double largest = 0;
    for (const QString &number : taken.numbers) {
        if (number.startsWith(typeLetter))
            largest = std::max(largest, std::floor(leadingNumber(number.mid(typeLetter.size()))));
    }
    // A counter past any real catalogue's is no counter to count on from.
    qint64 counter = static_cast<qint64>(std::min(largest, 1e12)) + 1;
    for (;; ++counter) {
        const QString number = typeLetter + QString::number(counter).rightJustified(3, QLatin1Char('0'));
        const FigureProposal next{number, thumbnailNameFor(number)};
        if (isFree(next))
            return next;
    }
}
