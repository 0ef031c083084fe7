#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Value types of the painting page that the program-wide state holds.

// The tag of one rectangle drawn on the canvas.
struct CarAreaTag
{
    QString name;
    QString path; // configuration tree path
    QStringList algorithms;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int id = 0;
    QString type;
    QString check_location;
    QString installation_location;
    bool b3DRemove = false;
    int boltnum = 0;
    int areaThreshold = 0;
    int lengthThreshold = 0;
    int widthThreshold = 0;
};

// One axle record of the camera information file.
struct AxisInfo
{
    int values[11] = {};
};

// The camera and carriage opened for painting.
struct PaintContext
{
    QString cameraCode;
    int carriage = 0;
};

// What the carriage XML says of the opened carriage.
struct CarriageDesc
{
    QString category;
    QString carriage_type;
    int positive = 0;
    QString camera_code;
    QString direction;
    double scale = 0;
    int camera_direction = 0;
    double camera_reso = 0;
    QString img_path;
    int img_count = 0;
    int begin_img = 0;
    int end_img = 0;
    int begin_pos = 0;
    int end_pos = 0;
    int car_no = 0;
    int check_position = 0;
    int AxesReversed = 0;
    int axisCount = 0;
    QVector<int> AxisIdx;
    QVector<int> X;
    QVector<int> Y;
    QVector<int> Width;
    QVector<int> Height;
};
