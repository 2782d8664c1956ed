#pragma once
// The control that draws a geometric figure inside its bounds, chosen by its shape code:
// "R" rectangle, "C" ellipse, "RR" rounded rectangle, "T" triangle, "D" diamond, "S" star,
// "DS" double star, "P" polygon. The same turned path serves for painting and hit-testing.

#include "core/SKTGraphic.h"

class Shape_Control : public SKTGraphic {
public:
    Shape_Control();

    std::unique_ptr<SKTGraphic> clone() const override { return std::make_unique<Shape_Control>(*this); }
    std::unique_ptr<SKTGraphic> makeEmpty() const override { return std::make_unique<Shape_Control>(); }

    // Vertex count of a double-star or polygon kind (kinds 1 to 5 map to the table, others
    // stand for themselves).
    static int Double_Star_Vertex_Count(int double_star_type);
    static int Polygon_Vertex_Count(int polygon_type);
    // What a polygon kind draws, in words for the panel ("corner star", "hexagon", "7-point star").
    static QString Polygon_Kind_Caption(int polygon_type);

    SKTBezierPath bezierPathForDrawing() const override;
    SKTBezierPath Rectangle_path() const;
    SKTBezierPath Circle_path() const;
    SKTBezierPath Rounded_Rectangle_path() const;
    SKTBezierPath Triangle_path() const;
    SKTBezierPath Diamond_path() const;
    SKTBezierPath regularPolygonInRect() const;
    SKTBezierPath Ploygon_fun() const;
    SKTBezierPath Custom_Pie() const;
    SKTBezierPath Custom_Polygon() const;
    SKTBezierPath Polygon_With_Diffrent_Sides(int n) const;
    SKTBezierPath star_Path_fun_1() const;
    SKTBezierPath starPathInRect() const;
    static QPointF pointFrom(double angle, double radius, QPointF offset);

    bool isContentsUnderPoint(QPointF point) const override;
    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited) override;

private:
    SKTBezierPath withLineWidth(SKTBezierPath p) const;
    SKTBezierPath closedPolygon(const QList<QPointF> &points) const;
};
