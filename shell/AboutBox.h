#pragma once
// The About box: program icon, version line, the maker's notice, OK and the
// wide logo.

#include <QDialog>

namespace zeb40 {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr);

    static constexpr const char* MakersNotice = "Copyright (C) VELOR. All rights reserved.";
};

} // namespace zeb40
