// The symbol encoders side by side with two widely used libraries, in one process so that the
// ratio holds whatever the machine: QR Code (matrix only, level M, 8-bit data) against
// libqrencode and libzint, and every linear symbology from value to module string, with
// libzint's Code 128 and Code 39 beside them for scale.

#include "barcode/LinearSymbols.h"
#include "barcode/QREncode.h"
#include "barcode/Symbologies.h"

#include <benchmark/benchmark.h>
#include <qrencode.h>
#include <zint.h>

#include <QString>

#include <string>

namespace {

std::string payload(int64_t n)
{
    static const char alphabet[] = "The quick brown fox 0123456789 jumps over ABC-42 / lazy dogs. ";
    std::string s;
    for (int64_t i = 0; i < n; ++i)
        s += alphabet[(i * 7) % (sizeof alphabet - 1)];
    return s;
}

void BM_QR_Ours(benchmark::State &state)
{
    const std::string text = payload(state.range(0));
    int version = 0;
    for (auto _ : state) {
        barcode::CQR_Encode enc;
        if (!enc.EncodeData(1, 0, true, -1, text.data(), int(text.size()))) {
            state.SkipWithError("not encoded");
            break;
        }
        version = enc.m_nVersion;
        benchmark::DoNotOptimize(enc.m_byModuleData);
    }
    state.SetLabel("version " + std::to_string(version));
}

void BM_QR_libqrencode(benchmark::State &state)
{
    const std::string text = payload(state.range(0));
    int version = 0;
    for (auto _ : state) {
        QRcode *code = QRcode_encodeData(int(text.size()), reinterpret_cast<const unsigned char *>(text.data()), 0,
                                         QR_ECLEVEL_M);
        if (!code) {
            state.SkipWithError("not encoded");
            break;
        }
        version = code->version;
        benchmark::DoNotOptimize(code->data);
        QRcode_free(code);
    }
    state.SetLabel("version " + std::to_string(version));
}

// libzint for a symbology: data mode, no drawing.
void zintEncode(benchmark::State &state, int symbology, int option1, const std::string &text)
{
    for (auto _ : state) {
        zint_symbol *symbol = ZBarcode_Create();
        symbol->symbology = symbology;
        symbol->option_1 = option1;
        symbol->input_mode = DATA_MODE;
        const int error = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(text.data()), int(text.size()));
        benchmark::DoNotOptimize(symbol->encoded_data);
        ZBarcode_Delete(symbol);
        if (error >= ZINT_ERROR) {
            state.SkipWithError("not encoded");
            break;
        }
    }
}

void BM_QR_libzint(benchmark::State &state)
{
    zintEncode(state, BARCODE_QRCODE, 2, payload(state.range(0)));
}

// A value each linear symbology takes, in the order of its names.
const char *const LinearValues[] = {
    "CARD-2024",    "Card-2024/a", "12345678", "03600029145", "12345",    "1234567",  "12AB34CD",
    "12345678",     "590123412345", "Visitor 0042", "VISITOR 0042", "Visitor 0042", "20240042",
    "A1234B",       "0123456",     "9638507",  "SN34RD1A",    "12345678901", "2630023 A7",
};

void BM_Linear_Ours(benchmark::State &state)
{
    const int index = int(state.range(0));
    const QString name = barcode::Linear_Symbology_Names().at(index);
    const QString value = QString::fromLatin1(LinearValues[index]);
    state.SetLabel(name.toStdString());
    for (auto _ : state) {
        const auto symbol = barcode::Make_Linear_Symbol(name, value, true);
        if (!symbol || !symbol->isContentValid()) {
            state.SkipWithError("value refused");
            break;
        }
        const QString modules = symbol->completeBarcode();
        benchmark::DoNotOptimize(modules.constData());
    }
}

void BM_Linear_libzint_Code128(benchmark::State &state)
{
    zintEncode(state, BARCODE_CODE128, 0, "Visitor 0042");
}

void BM_Linear_libzint_Code39(benchmark::State &state)
{
    zintEncode(state, BARCODE_CODE39, 0, "CARD-2024");
}

}  // namespace

BENCHMARK(BM_QR_Ours)->Arg(16)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QR_libqrencode)->Arg(16)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QR_libzint)->Arg(16)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Linear_Ours)->DenseRange(0, 18)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Linear_libzint_Code128)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Linear_libzint_Code39)->Unit(benchmark::kMicrosecond);
