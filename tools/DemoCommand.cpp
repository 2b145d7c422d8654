#include "tools/DemoCommand.h"

#include "tools/DemoCatalogue.h"
#include "tools/SyntheticCatalogue.h"

#include <QDir>

#include <optional>

namespace {

enum ExitCode { Done = 0, BuildFailed = 1, BadArguments = 2 };

struct Arguments
{
    QString command;
    QString root;
    bool force = false;
    bool thumbnails = false;
    std::optional<int> figures;
    int points = 0;
    int labels = 0;
};

int fail(QTextStream &err, int code, QString message)
{
    // One line, whatever the underlying error text holds.
    message.replace(QLatin1Char('\n'), QLatin1Char(' '));
    err << "quillar-demo：" << message << Qt::endl;
    return code;
}

// Reads "--name N" or "--name=N"; returns the reason when the value is unusable.
QString takeCount(const QStringList &args, int &i, const QString &name, int maximum, int *value)
{
    QString text;
    const QString arg = args.at(i);
    if (arg.startsWith(name + QLatin1Char('='))) {
        text = arg.mid(name.size() + 1);
    } else if (i + 1 < args.size()) {
        text = args.at(++i);
    } else {
        return QStringLiteral("%1 后缺少数值").arg(name);
    }
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0 || n > maximum)
        return QStringLiteral("%1 的数值应为 0 到 %2 之间的整数：%3").arg(name).arg(maximum).arg(text);
    *value = n;
    return {};
}

QString parse(const QStringList &args, Arguments *parsed)
{
    parsed->command = args.value(0);
    if (parsed->command != QLatin1String("demo") && parsed->command != QLatin1String("synthetic"))
        return QStringLiteral("未知命令：%1（可用 demo 或 synthetic，详见 --help）").arg(parsed->command);
    const bool synthetic = parsed->command == QLatin1String("synthetic");
    bool optionsEnded = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString arg = args.at(i);
        auto is = [&arg](const char *name) {
            return arg == QLatin1String(name) || arg.startsWith(QLatin1String(name) + QLatin1Char('='));
        };
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            if (!parsed->root.isEmpty())
                return QStringLiteral("多余的参数：%1").arg(arg);
            parsed->root = arg;
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("--force")) {
            parsed->force = true;
        } else if (synthetic && arg == QLatin1String("--thumbnails")) {
            parsed->thumbnails = true;
        } else if (synthetic && is("--figures")) {
            int n = 0;
            const QString error = takeCount(args, i, QStringLiteral("--figures"), 1000000, &n);
            if (!error.isEmpty())
                return error;
            parsed->figures = n;
        } else if (synthetic && is("--points")) {
            const QString error = takeCount(args, i, QStringLiteral("--points"), 100000, &parsed->points);
            if (!error.isEmpty())
                return error;
        } else if (synthetic && is("--labels")) {
            const QString error = takeCount(args, i, QStringLiteral("--labels"), 10000, &parsed->labels);
            if (!error.isEmpty())
                return error;
        } else {
            return QStringLiteral("未知选项：%1").arg(arg);
        }
    }
    if (parsed->root.isEmpty())
        return QStringLiteral("缺少安装根目录");
    if (synthetic && !parsed->figures)
        return QStringLiteral("synthetic 需要 --figures N");
    return {};
}

} // namespace

QString DemoCommand::usage()
{
    return QStringLiteral(
        "用法：\n"
        "  quillar-demo demo 根目录 [--force]\n"
        "      生成演示安装目录：根目录/dbase/system.mdb（图版库）与\n"
        "      根目录/Diagram/MiniMap/ 下的 GIF 缩略图。\n"
        "  quillar-demo synthetic 根目录 --figures N [--points M] [--labels K] [--thumbnails] [--force]\n"
        "      生成大型合成图版库，供测试与性能测量使用：N 个图版（约三分之二为直角坐标图，\n"
        "      三分之一为三角图），每个图版 M 个数据点、K 个标注（默认均为 0）。\n"
        "  quillar-demo --help\n"
        "      显示本说明。\n"
        "\n"
        "选项：\n"
        "  --force        根目录中已有图版库时，覆盖图版库并替换全部缩略图\n"
        "  --thumbnails   为每个合成图版写一幅小缩略图\n"
        "\n"
        "退出码：0 成功；1 生成失败或图版库已存在；2 参数有误。\n");
}

int DemoCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        out << usage();
        out.flush();
        return Done;
    }
    if (arguments.isEmpty()) {
        err << usage();
        err.flush();
        return BadArguments;
    }
    Arguments args;
    const QString problem = parse(arguments, &args);
    if (!problem.isEmpty())
        return fail(err, BadArguments, problem + QStringLiteral("（详见 --help）"));

    const QString root = QDir::toNativeSeparators(QDir(args.root).absolutePath());
    if (args.command == QLatin1String("demo")) {
        int figures = 0;
        const QString error = DemoCatalogue::buildRoot(args.root, args.force, &figures);
        if (!error.isEmpty())
            return fail(err, BuildFailed, error);
        out << QStringLiteral("已生成演示图版库：%1 个图版及其缩略图，位于 %2").arg(figures).arg(root) << Qt::endl;
        return Done;
    }

    SyntheticOptions options;
    options.figures = *args.figures;
    options.points = args.points;
    options.labels = args.labels;
    options.thumbnails = args.thumbnails;
    const QString error = SyntheticCatalogue(options).buildRoot(args.root, args.force);
    if (!error.isEmpty())
        return fail(err, BuildFailed, error);
    out << QStringLiteral("已生成合成图版库：%1 个图版，每个 %2 个数据点、%3 个标注%4，位于 %5")
               .arg(options.figures)
               .arg(options.points)
               .arg(options.labels)
               .arg(options.thumbnails ? QStringLiteral("及缩略图") : QString())
               .arg(root)
        << Qt::endl;
    return Done;
}
