#include "CommandBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace wq {

CommandBar::CommandBar(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);
    row->addStretch();
}

void CommandBar::addOkButton()
{
    auto *ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    ok->setMinimumWidth(100);
    connect(ok, &QPushButton::clicked, this, [this] { Q_EMIT command(QStringLiteral("OK")); });
    layout()->addWidget(ok);
}

StatusBar::StatusBar(const QString &name, QWidget *parent) : QWidget(parent), m_label(new QLabel(this))
{
    setObjectName(name);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(8, 2, 8, 2);
    row->addWidget(m_label);
}

QString StatusBar::text() const
{
    return m_label->text();
}

void StatusBar::setText(const QString &text)
{
    m_label->setText(text);
}

} // namespace wq
