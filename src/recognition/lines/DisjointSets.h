// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <numeric>
#include <vector>

// Sets of indices that are joined two at a time: pieces of ink into lines,
// dots into lattices.
class DisjointSets {
public:
    explicit DisjointSets(qsizetype size) : parent(size) { std::iota(parent.begin(), parent.end(), 0); }
    qsizetype find(qsizetype i)
    {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    }
    void unite(qsizetype a, qsizetype b) { parent[find(a)] = find(b); }

private:
    std::vector<qsizetype> parent;
};
