#pragma once

class QWidget;
class QXMCUPLL;

// Builds the widget of a series id; nullptr for an id that names no series
// (or a series whose widget is not built yet).
QXMCUPLL *createSeriesWidget(int seriesId, QWidget *parent);
