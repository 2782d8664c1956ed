// Property lists as mail settings, print profiles and designs store them: one long array (of
// strings, or of small dictionaries), binary and XML, read back whole. The time per item should
// stay flat as the array grows: a read that searched the array from its start for every item
// took minutes for a few hundred KB.

#include "platform/Plist.h"

#include <benchmark/benchmark.h>

namespace {

QVariant longArray(qsizetype items, bool dictionaries)
{
    QVariantList list;
    list.reserve(items);
    for (qsizetype i = 0; i < items; ++i) {
        const QString text = QStringLiteral("recipient%1@example.org").arg(i);
        list << (dictionaries ? QVariant(QVariantMap{{QStringLiteral("to"), text}}) : QVariant(text));
    }
    return list;
}

void readArray(benchmark::State &state, platform::PlistFormat format, bool dictionaries)
{
    const QByteArray bytes = platform::plistSerialize(longArray(state.range(0), dictionaries), format);
    for (auto _ : state) {
        const QVariant read = platform::plistParse(bytes);
        if (read.toList().size() != state.range(0))
            state.SkipWithError("the array did not read back whole");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["bytes"] = double(bytes.size());
}

void BM_BinaryArrayOfStrings(benchmark::State &state) { readArray(state, platform::PlistFormat::Binary, false); }
void BM_BinaryArrayOfDictionaries(benchmark::State &state) { readArray(state, platform::PlistFormat::Binary, true); }
void BM_XmlArrayOfStrings(benchmark::State &state) { readArray(state, platform::PlistFormat::Xml, false); }

}  // namespace

BENCHMARK(BM_BinaryArrayOfStrings)->RangeMultiplier(4)->Range(1000, 256000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BinaryArrayOfDictionaries)->RangeMultiplier(4)->Range(1000, 256000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlArrayOfStrings)->RangeMultiplier(4)->Range(1000, 256000)->Unit(benchmark::kMillisecond);
