// Seed inputs of the fuzz targets, made by the tools/ writers.
#pragma once

#include <vector>

#include "tools/BigFileWriter.h"
#include "tools/ResourceWriters.h"

namespace fuzz {

inline std::vector<vktools::Bytes> BlobSeeds() {
    using namespace vktools;
    const Bytes text = {'v', 'e', 'l', 'k', 'o', 'r', 'i', 'n', ' ', 'v', 'e', 'l', 'k', 'o', 'r', 'i', 'n'};
    std::vector<Bytes> seeds = {MakeBlob(text), MakeCompressedBlob(text, 9), MakeBlob(MakeKeyset({1, 2, 0x03000005u})),
                                MakeCompressedBlob(MakeKeyset({7, 8}))};
    const std::vector<AggregateItem> items = {{3, {1, 2, 3}, 10}, {5, {}, 20}, {9, text, 30}};
    for (std::uint32_t bits = 0; bits < 8; ++bits) {
        seeds.push_back(MakeBlob(MakeAggregate(static_cast<std::uint16_t>(bits << 13), 1, items)));
    }
    seeds.push_back(MakeCompressedBlob(MakeAggregate(kAggregateExtras, 0, items)));
    return seeds;
}

inline std::vector<vktools::Bytes> BigFileSeeds() {
    using namespace vktools;
    std::vector<Bytes> seeds;
    const std::vector<Bytes> blobs = BlobSeeds();
    for (const auto form : {BigFileWriter::IdForm::List, BigFileWriter::IdForm::Range}) {
        BigFileWriter writer;
        std::uint32_t id = 1;
        for (const auto& blob : blobs) {
            writer.Add(id, id % 8, blob);
            id += id % 3 == 0 ? 5 : 1;
        }
        seeds.push_back(writer.Build(form));
    }
    return seeds;
}

}  // namespace fuzz
