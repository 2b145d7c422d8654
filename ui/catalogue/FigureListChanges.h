#pragma once

#include <QVariant>
#include <map>
#include <vector>

class ListModel;

// The marked rows of the figure list as they stood before a save, so that
// the rows the save wrote can be told to the other windows as what happened
// to their figures: renumbered, deleted, or written.
class FigureListChanges
{
public:
    explicit FigureListChanges(const ListModel &list);

    // After the save wrote `written`; the list shows them as saved.
    void announce(const ListModel &list, const std::vector<int> &written) const;

private:
    struct Before
    {
        int tag;
        QVariant storedKey; // the number stored before; none for a new row
    };
    std::map<int, Before> m_marked;
};
