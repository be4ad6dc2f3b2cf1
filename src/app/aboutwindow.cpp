#include "app/aboutwindow.h"

#include "app/abouttext.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/style.h"

#include <QPushButton>
#include <QVBoxLayout>

using namespace Ui;

AboutWindow::AboutWindow(QWidget *parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    // The window has no caption; assistive tools still need a name for it.
    NameControl(this, QStringLiteral("关于"));
    setAccessibleName(objectName());
    OpenToKeyboardAndScreenReader(this);
    setFixedSize(391, 257); // a given size in pixels, whatever the text

    auto *text = new MultiLineEditBox(QStringLiteral("编辑框1"), InputMode::ReadOnly);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setText(App::AboutText());
    QPushButton *back = MakeButton(QStringLiteral("按钮1"), QStringLiteral("返回"));
    connect(back, &QPushButton::clicked, this, &QDialog::close);
    // The text only shows; Enter there returns, as on the button.
    OnEnter(text, [this] { close(); });

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Related);
    layout->addWidget(text);
    layout->addWidget(back, 0, Qt::AlignRight);
    back->setFocus();
}
