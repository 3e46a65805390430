#pragma once

#include <QString>
#include <QWidget>
#include <string>

namespace strumvale::practice {

// One chord as a large diagram under its name, as the drill shows the chord to
// play and the one after it; a chord without a shape shows its name and "?".
class ChordDiagramView : public QWidget {
    Q_OBJECT
public:
    explicit ChordDiagramView(QWidget* parent = nullptr);

    // name in the widget's text; tab empty when no shape is known.
    void setChord(const QString& name, const std::string& tab);
    // A caption above the name ("Now", "Next").
    void setCaption(const QString& caption);
    // Dimmed: the chord that follows.
    void setDimmed(bool dimmed);

    QString name() const { return name_; }
    const std::string& tab() const { return tab_; }
    QSize sizeHint() const override { return {180, 230}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describe();

    QString caption_;
    QString name_;
    std::string tab_;
    bool dimmed_ = false;
};

} // namespace strumvale::practice
