// The controls of the main window, made from the dialog template in template order.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "dialogs/ControlFit.h"
#include "dialogs/TemplateControl.h"
#include "mainwindow/ClientArea.h"
#include "mainwindow/VelquinDlg.h"
#include "platform/qt/DialogUnits.h"
#include "resources/DialogTemplate.h"
#include "resources/ResourceIds.h"

CClientArea::CClientArea(CVelquinDlg* owner) : QWidget(owner), m_owner(owner)
{
}

void CClientArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_owner->OnClientResized();
}

namespace {

template <typename T>
T* Typed(QWidget* w)
{
    return static_cast<T*>(w);
}

// A control's place in the main window's template, in pixels.
QRect TemplatePlace(int id)
{
    for (const sControlTemplate& c : MainDialogTemplate().controls)
        if (c.id == id)
            return ::TemplatePlace(c);
    return {};
}

}  // namespace

void CVelquinDlg::CreateControls()
{
    m_clientArea = new CClientArea(this);
    setCentralWidget(m_clientArea);

    for (const sControlTemplate& c : MainDialogTemplate().controls) {
        QWidget* control = CreateControl(c);
        control->setObjectName(QString::number(c.id));
        PlaceControlInDlu(control, c.x, c.y, c.w, c.h);
        m_controls.insert(c.id, control);
    }
    FitTemplateControls(MainDialogTemplate(), m_controls);

    m_btnStart = Typed<QPushButton>(DlgItem(kIdStart));
    m_btnStop = Typed<QPushButton>(DlgItem(kIdStop));
    m_btnOpenEdf = Typed<QPushButton>(DlgItem(kIdOpenEdf));
    m_btnAnalysisStart = Typed<QPushButton>(DlgItem(kIdAnalysisStart));
    m_btnAnalysisSave = Typed<QPushButton>(DlgItem(kIdAnalysisSave));
    m_btnBackToRealTime = Typed<QPushButton>(DlgItem(kIdBackToRealTime));
    m_staticStartTime = Typed<QLabel>(DlgItem(kIdStartTimeLabel));
    m_editStartTime = Typed<QLineEdit>(DlgItem(kIdStartTime));
    m_staticNowTime = Typed<QLabel>(DlgItem(kIdNowTimeLabel));
    m_editNowTime = Typed<QLineEdit>(DlgItem(kIdNowTime));
    m_chkEeg = Typed<QCheckBox>(DlgItem(kIdCheckEeg));
    m_chkEmg = Typed<QCheckBox>(DlgItem(kIdCheckEmg));
    m_chkEegFft = Typed<QCheckBox>(DlgItem(kIdCheckEegFft));
    m_chkAnalysis = Typed<QCheckBox>(DlgItem(kIdCheckAnalysis));
    m_graphEeg = Typed<CRealTimeGraph>(DlgItem(kIdGraphEeg));
    m_graphEmg = Typed<CRealTimeGraph>(DlgItem(kIdGraphEmg));
    m_chartFft = Typed<CFftMSChart>(DlgItem(kIdChartFft));
    m_chartHypnogram = Typed<CHypnogramMSChart>(DlgItem(kIdChartHypnogram));
    m_chartFftTrend = Typed<CFftTrendMSChart>(DlgItem(kIdChartFftTrend));
    m_scrollBar = Typed<QScrollBar>(DlgItem(kIdScrollBar));
    m_btnLeft = Typed<QPushButton>(DlgItem(kIdLeft));
    m_btnRight = Typed<QPushButton>(DlgItem(kIdRight));
    m_staticStatusSource = Typed<QLabel>(DlgItem(kIdStatusSource));
    m_staticStatusSpare = Typed<QLabel>(DlgItem(kIdStatusSpare));
    m_staticStatusText = Typed<QLabel>(DlgItem(kIdStatusText));
    // The first status field shows its colour across its whole face.
    m_staticStatusSource->setAutoFillBackground(true);
}

QWidget* CVelquinDlg::CreateControl(const sControlTemplate& c)
{
    QWidget* parent = m_clientArea;
    const int id = c.id;
    if (QWidget* control = CreateTemplateControl(c, parent)) {
        if (auto* button = qobject_cast<QPushButton*>(control))
            connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
        // Only a click by the user runs a check box's handler, not a change made by the program.
        if (auto* box = qobject_cast<QCheckBox*>(control))
            connect(box, &QCheckBox::clicked, this, [this, id] { OnCommand(id); });
        return control;
    }
    // The program's own windows, by id.
    switch (id) {
    case kIdGraphEeg:
    case kIdGraphEmg:
        return new CRealTimeGraph(parent);
    case kIdChartFft:
        return new CFftMSChart(parent);
    case kIdChartHypnogram:
        return new CHypnogramMSChart(parent);
    default:
        return new CFftTrendMSChart(parent);
    }
}

QWidget* CVelquinDlg::DlgItem(int id) const
{
    return m_controls.value(id, nullptr);
}

QAction* CVelquinDlg::CommandAction(int id) const
{
    return m_commands.value(id, nullptr);
}

void CVelquinDlg::SetLabelText(QLabel* label, const char* text)
{
    label->setText(QString::fromUtf8(text));
    FitTimeRows();
}

void CVelquinDlg::SetFieldText(QLineEdit* field, const QString& text)
{
    field->setText(text);
    // A field too narrow for its text would show the date first.
    field->setCursorPosition(0);
    FitTimeRows();
}

// Each time row is a right-aligned label and a field to its right, with the group of display
// check boxes beyond. A field too narrow for its text grows to the left, and its label moves
// left with it, keeping the template's gap; a label too narrow for its caption grows to the
// left too. Shorter texts take the template places again.
void CVelquinDlg::FitTimeRows()
{
    const struct {
        int label, field;
    } rows[] = {{kIdStartTimeLabel, kIdStartTime}, {kIdNowTimeLabel, kIdNowTime}};
    for (const auto& row : rows) {
        QWidget* label = DlgItem(row.label);
        QWidget* field = DlgItem(row.field);
        const QRect fieldPlace = GrowToText(*field, TemplatePlace(row.field), true);
        const int shift = fieldPlace.left() - TemplatePlace(row.field).left();
        field->setGeometry(fieldPlace);
        label->setGeometry(GrowToText(*label, TemplatePlace(row.label).translated(shift, 0), true));
    }
}
