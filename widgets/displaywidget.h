// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TDISPLAYWIDGET_H
#define TDISPLAYWIDGET_H

#include <QImage>
#include <QSize>
#include <QWidget>
#include <array>
#include <memory>
#include <thread>
#include <unordered_map>
#include <vector>

#include "scenepainter.h"
#include "vector3.h"

class QPainter;
class QPoint;
class QString;
class TBasePaintJob;
class TDeflectionModel;
class TTestDocument;

// Shows the measuring volume in the machine's Y-Z plane as the scene painter draws it, and
// holds what it draws: the current model, the exaggeration and the length gauges.
class TDisplayWidget : public QWidget
{
    Q_OBJECT

public:
    // A fixed underlying type, so that any number taken from the model combo box is a valid
    // value of the enumeration.
    enum TDeflectionModelType : int {
        DEFLECTION_MODEL_GENERIC = 1,
        DEFLECTION_MODEL_RENISHAW = 2,
        DEFLECTION_MODEL_LK = 3
    };

    using TLengthMeasurement = TScenePainter::TLengthMeasurement;

    TDisplayWidget(const QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TDisplayWidget() override;

    // Replaces the model by a new one of the type, with its defaults; any other value leaves the
    // widget without a model. Requests no repaint: the caller sets ranges and parameters next.
    void Set_Deflection_Model(const TDeflectionModelType &type);
    const TDeflectionModel *Deflection_Model() const { return deflection_model; }

    void Set_Model_Parameter1(const double &value);
    void Set_Model_Parameter2(const double &value);
    void Set_Model_Parameter3(const double &value);
    void Set_Model_Parameter4(const double &value);
    void Set_Model_Parameters(const double &parameter1, const double &parameter2,
                              const double &parameter3, const double &parameter4);
    double Model_Parameter1() const;
    double Model_Parameter2() const;
    double Model_Parameter3() const;
    double Model_Parameter4() const;

    void Set_Range_Y(const double &range);
    void Set_Range_Z(const double &range);
    void Set_Range(const double &range_y, const double &range_z);

    // Values below 1 are stored as 1.
    void Set_Exaggeration(int value);
    double Exaggeration() const { return exaggeration; }

    // The correction at the position, (0, 0, 0) without a model.
    TVector3 Calculate_Correction(const TVector3 &position) const;
    // Where the deflected machine reports the position: the position minus its correction,
    // not exaggerated; the position itself without a model.
    TVector3 Get_Gauge_Point(const TVector3 &position) const;

    void Add_Length_Measurement(int id, const TVector3 &point1, const TVector3 &point2);
    void Update_Length_Measurement(int id, const TVector3 &point1, const TVector3 &point2);
    void Remove_Length_Measurement(int id);
    void Clear_Length_Measurements();
    const std::vector<TLengthMeasurement> &Length_Measurements() const
    {
        return length_measurements;
    }

    // The smallest (largest) Y and Z over all gauge end points; (0, 0, 0) without gauges.
    TVector3 Length_Volume_Minimum() const;
    TVector3 Length_Volume_Maximum() const;

    // Fits the box between the two corners (Y and Z only) into the plot area, squared about
    // its centre so that a millimetre is as long in Y as in Z.
    void Update_Viewport(const TVector3 &minimum, const TVector3 &maximum);
    bool Viewport_Dirty() const { return scene_painter.Viewport_Dirty(); }

    QSize minimumSizeHint() const override;
    // True below the size the drawing needs.
    bool Too_Small() const;

    // The gauges of these measurements are drawn highlighted, over the others.
    void Set_Highlighted(const std::vector<int> &ids);
    const std::vector<int> &Highlighted() const { return highlighted; }
    // What lies under a pixel: the machine position and the model's correction there; empty
    // where nothing is drawn.
    QString Readout(const QPoint &pixel) const;
    // How many paints drew the base in full so far, for the tests and benchmarks that check
    // that a change costs no more than it has to.
    int Full_Paints() const { return full_paints; }
    // From how many gauges on a change that needs the base painted anew paints it on a thread
    // of its own, the window showing the picture it had until then; 20,000 unless set.
    void Set_Background_Paint_From(size_t gauge_count) { background_list = gauge_count; }
    // Whether a base is being painted on its own thread, and how many such paints were shown.
    bool Painting_In_Background() const { return background_job != nullptr; }
    int Background_Paints() const { return background_paints; }

    // From now on draws what the test holds: its model with the values in use, and a gauge for
    // each measurement, each changed on its own as the document says what changed.
    void Show_Document(const TTestDocument *document);

    // An arrow from p1 to p2 with open heads at p1 and, unless single_head, at p2.
    void Draw_Arrow(QPainter *painter, const QPoint &p1, const QPoint &p2, int arrow_length,
                    int arrow_width, bool single_head) const;
    // A band of gauge_width pixels from p1 to p2 with the text in a white square at its centre.
    void Draw_Gauge(QPainter *painter, const QPoint &p1, const QPoint &p2, const QString &text,
                    int gauge_width) const;

signals:
    // The readout under the mouse as it moves; empty when it leaves the drawing.
    void Readout_Changed(const QString &text);

private slots:
    void Follow_Model();
    void Follow_Field(int field);
    void Add_Gauge(int id);
    void Update_Gauge(int id);
    void Remove_Gauge(int id);
    void Reload_Gauges();
    // The thread's base becomes the kept one, if it was painted over the background kept now.
    void Background_Painted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The ends of the measurement's gauge in the test; false when there is no such measurement.
    bool Gauge_Ends_Of(int id, TVector3 *end1, TVector3 *end2) const;
    // Stores a parameter in the model, if there is one, and repaints.
    void Set_Parameter(void (TDeflectionModel::*setter)(const double &), const double &value);
    // Anything but the highlight or an appended gauge changed: the kept base is painted anew.
    void Changed();
    // Gauges from this position on changed, were removed or put in.
    void Gauges_Changed(size_t position);
    // Lays the kept base down on the device's area, with any gauges appended since drawn on
    // top, when it is what a fresh paint would lay down there; false, with nothing drawn,
    // when it is not.
    // recorded: whether now holds the record of the whole base the scene paints now, also
    // when the kept base was not laid down.
    bool Lay_Down_Kept_Base(QPainter *painter, QImage &device, const QRect &area,
                            const TScenePainter::TScene &scene, TScenePainter::TBaseRecord *now,
                            bool *recorded);
    // The image over the widget, its pixels as they are.
    static void Lay_Down(QPainter *painter, const QImage &image);
    // Where the scene's base must be painted anew for a long list in the window itself: lays
    // down the kept base, and has the new one painted on a thread of its own unless one is
    // under way already; false, with nothing drawn, when the base is to be painted here.
    // known: the record of the base the scene paints now, or null.
    bool Show_While_Painting(QPainter *painter, const QImage &device, const QRect &area,
                             const TScenePainter::TScene &scene, TScenePainter::TBaseRecord *known);
    // Whether the device is the window's own, where a picture may follow a change a moment
    // later; a picture rendered elsewhere (a grab, a print) is always complete.
    bool Is_Window_Device(const QPaintDevice *device) const;
    void Start_Background_Paint(QPainter *painter, TScenePainter::TBaseRecord *known);

    QSize minimum_size;
    const TTestDocument *document;
    int deflection_model_type = 0;
    TDeflectionModel *deflection_model;
    double exaggeration;
    std::vector<TLengthMeasurement> length_measurements;
    // id -> position in length_measurements, so that no gauge is looked for by walking them.
    std::unordered_map<int, size_t> gauge_index;
    std::vector<int> highlighted;
    TScenePainter scene_painter;
    // The scene's base layer as last painted (grid, arrows, every gauge not highlighted) over
    // the background it was painted on, so that a new selection paints only the overlay and
    // an appended gauge only itself, with exactly the pixels of a fresh paint.
    struct TKeptBase {
        bool valid = false;
        // Whether the base kept before this one is there too, over the same background:
        // undoing the last change often goes back to it.
        bool has_previous = false;
        // Counts each new background: a base painted over another is not laid down over it.
        unsigned background_serial = 0;
        QImage background;
        QImage image;
        std::array<double, 4> layout{};
        size_t gauges = 0; // how many of length_measurements it holds
        TScenePainter::TBaseRecord record;
        QImage previous_image;
        std::array<double, 4> previous_layout{};
        size_t previous_gauges = 0;
        TScenePainter::TBaseRecord previous_record;
        // How many of the gauges from the first on are still those each base holds (the kept
        // one, the previous one, the one being painted on its own thread since it was begun),
        // and whether nothing but gauges changed since: such a base is known to be what the
        // scene paints now without a comparison.
        size_t untouched = 0;
        size_t previous_untouched = 0;
        size_t painting_untouched = 0;
        bool only_gauges_changed = false;
        bool previous_only_gauges_changed = false;
        bool painting_only_gauges_changed = false;
        // The previous base becomes the kept one, and the kept one the previous.
        void Swap();
        void Forget();
        // The kept base holds the scene as it is now.
        void Holds_Scene();
        void Scene_Changed();
        void Gauges_Changed_From(size_t position);
        // Whether the kept (previous) base is known to be the scene with this many gauges.
        bool Known_To_Hold(size_t gauge_count) const;
        bool Previous_Known_To_Hold(size_t gauge_count) const;
    };
    TKeptBase kept;
    // The next paint keeps its base: set by a selection or an appended gauge, which the next
    // change often repeats, cleared by any other change, so that a paint that follows typing
    // costs no copy.
    bool keep_next = false;
    // Something other than the selection or an appended gauge changed since the kept base was
    // painted: it holds only if the base the scene paints now has the same record.
    bool base_changed = false;
    int full_paints = 0;
    // The base of a long list being painted on its own thread, and the background it is
    // painted over.
    size_t background_list = 20000;
    std::unique_ptr<TBasePaintJob> background_job;
    std::thread background_thread;
    unsigned background_job_serial = 0;
    bool background_refused = false;
    int background_paints = 0;
};

#endif
