#pragma once
// The pixel stages of the filter chain, each working in place on 8-bit images.

#include <QImage>

namespace imageops {

// Stages that look at one pixel at a time, on straight (not premultiplied) colour, evaluated
// in floating point one after another so that only the final value is clamped.
struct PointStages {
    bool grey = false;
    bool sepia = false;
    bool hue = false;
    float hueMatrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    bool colour = false;
    float saturation = 1, brightness = 0, contrast = 1;
    bool exposure = false;
    float exposureGain = 1;

    void setHueAngle(float radians);
    bool any() const { return grey || sepia || hue || colour || exposure; }
};

// `image` must be Format_ARGB32.
void applyPointStages(QImage &image, const PointStages &stages);

// Adds `sharpness` times the luminance Laplacian to every channel alike, so edges gain
// contrast and hues stay; then multiplies by `exposureGain`. `image` must be Format_ARGB32.
void sharpenLuminance(QImage &image, float sharpness, float exposureGain);

// Box average over (2 radius + 1) pixels each way, edges extended. `image` must be
// Format_ARGB32_Premultiplied so that transparent pixels lend no colour.
void boxBlur(QImage &image, int radius);

// The same box average on a Format_Alpha8 picture: a one-colour picture (a shadow) needs only
// its coverage blurred, a quarter of the work.
void boxBlurAlpha(QImage &alpha, int radius);

}  // namespace imageops
