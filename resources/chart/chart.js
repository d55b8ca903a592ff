// The Graph View's chart page. It asks the program (the "external" object
// of the web channel) for the series, the chart type, the title and the
// zoom and hidden series it kept, draws one series per tag as lines or
// columns, and reports every zoom and legend change back, so that a reload
// (a switch between line and column chart) keeps both.
(function () {
    'use strict';

    const COLOURS = ['#2f7ed8', '#d35400', '#8bbc21', '#910000', '#1aadce', '#492970',
                     '#f28f43', '#77a1e5', '#c42525', '#a6c96a', '#0d233a', '#7f8c8d'];
    const MONTHS = ['Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun', 'Jul', 'Aug', 'Sep', 'Oct',
                    'Nov', 'Dec'];

    function ask(external, name, ...args) {
        return new Promise((resolve) => external[name](...args, resolve));
    }

    function pad(n, width) {
        return String(n).padStart(width, '0');
    }

    // A date format of the program ("%b%d,%Y %H:%M:%S", ":%L" for
    // milliseconds) as a function of the wall-clock time, which the page
    // keeps in the UTC fields of a Date so no time zone can shift it.
    function dateFormatter(format) {
        return (date) => format.replace(/%([a-zA-Z%])/g, (whole, code) => {
            switch (code) {
            case 'b': return MONTHS[date.getUTCMonth()];
            case 'm': return pad(date.getUTCMonth() + 1, 2);
            case 'd': return pad(date.getUTCDate(), 2);
            case 'Y': return String(date.getUTCFullYear());
            case 'H': return pad(date.getUTCHours(), 2);
            case 'M': return pad(date.getUTCMinutes(), 2);
            case 'S': return pad(date.getUTCSeconds(), 2);
            case 'L': return pad(date.getUTCMilliseconds(), 3);
            case '%': return '%';
            default: return whole;
            }
        });
    }

    // Time axis labels in 24-hour wall-clock time: the time of day, and under
    // it the date wherever the day changes (and at the first label).
    function timeAxisValues(withMilliseconds) {
        const day = dateFormatter('%b%d,%Y');
        return (u, splits, axisIndex, space, increment) => {
            const time = dateFormatter(increment < 1 && withMilliseconds ? '%H:%M:%S:%L'
                                       : increment < 60 ? '%H:%M:%S' : '%H:%M');
            let lastDay = null;
            return splits.map((x) => {
                const date = new Date(Math.round(x * 1000));
                const today = day(date);
                if (increment >= 86400)
                    return today;
                const label = today !== lastDay ? time(date) + '\n' + today : time(date);
                lastDay = today;
                return label;
            });
        };
    }

    function sameStamps(series) {
        const first = series[0].data;
        for (const one of series) {
            if (one.data.length !== first.length)
                return false;
            for (let i = 0; i < first.length; ++i) {
                if (one.data[i][0] !== first[i][0])
                    return false;
            }
        }
        return true;
    }

    // uPlot's columns: x (seconds of wall-clock time) ascending, one value
    // column per series, null where a series has no point.
    function alignSeries(series, toX) {
        if (series.length === 0)
            return [[]];
        if (sameStamps(series)) {
            const first = series[0].data;
            const count = first.length;
            let order = null;
            for (let i = 1; i < count; ++i) {
                if (first[i - 1][0] > first[i][0]) {
                    order = Array.from(first.keys()).sort((a, b) => first[a][0] - first[b][0]);
                    break;
                }
            }
            const xs = new Float64Array(count);
            for (let i = 0; i < count; ++i)
                xs[i] = toX(first[order ? order[i] : i][0]);
            const columns = [xs];
            for (const one of series) {
                const ys = new Array(count);
                const points = one.data;
                for (let i = 0; i < count; ++i)
                    ys[i] = points[order ? order[i] : i][1];
                columns.push(ys);
            }
            return columns;
        }
        const stamps = new Set();
        for (const one of series)
            for (const point of one.data)
                stamps.add(point[0]);
        const sortedStamps = Array.from(stamps).sort((a, b) => a - b);
        const position = new Map(sortedStamps.map((stamp, i) => [stamp, i]));
        const columns = [Float64Array.from(sortedStamps, toX)];
        for (const one of series) {
            const ys = new Array(sortedStamps.length).fill(null);
            for (const point of one.data)
                ys[position.get(point[0])] = point[1];
            columns.push(ys);
        }
        return columns;
    }

    function showMessage(text) {
        const container = document.getElementById('container');
        container.textContent = '';
        const message = document.createElement('div');
        message.id = 'message';
        message.textContent = text;
        container.appendChild(message);
    }

    async function draw(external) {
        const [data, type, title, subTitle, outputFormat, offset, height, zoom1, zoom2] =
            await Promise.all([
                ask(external, 'ChartGetData'), ask(external, 'ChartGetType'),
                ask(external, 'ChartGetTitle'), ask(external, 'ChartGetSubTitle'),
                ask(external, 'GetChartOutputFormat'), ask(external, 'ChartGetUtcOffset'),
                ask(external, 'ChartHeight'), ask(external, 'ChartGetZoomPt1'),
                ask(external, 'ChartGetZoomPt2')]);
        const series = data ? JSON.parse(data) : [];
        const visible = await Promise.all(
            series.map((one, i) => ask(external, 'GetLegendVisibility', i)));

        // The time stamps are the records' wall-clock times read as UTC,
        // less the offset the program took once; adding it back and drawing
        // in UTC shows every point at the time written in its record, summer
        // or winter, whatever the computer's zone.
        const toX = (stamp) => stamp / 1000 + offset;
        const toStamp = (x) => Math.max(0, Math.round((x - offset) * 1000));
        const columns = alignSeries(series, toX);
        const xs = columns[0];
        const formatTime = dateFormatter(outputFormat || '%b%d,%Y %H:%M:%S');
        const columnChart = type === 'column';
        const bars = columnChart ? uPlot.paths.bars({size: [0.7, 60], align: 0}) : null;

        const container = document.getElementById('container');
        container.textContent = '';
        let ready = false;
        const opts = {
            title: subTitle ? title + ' - ' + subTitle : title,
            width: Math.max(200, window.innerWidth - 14),
            height: Math.max(120, (height || window.innerHeight) - 90),
            tzDate: (ts) => uPlot.tzDate(new Date(ts * 1e3), 'Etc/UTC'),
            scales: {x: {time: true}},
            axes: [{values: timeAxisValues(/%L/.test(outputFormat || '')), space: 70}, {}],
            cursor: {drag: {x: true, y: false, setScale: true}},
            legend: {live: true},
            series: [{
                label: 'Time',
                value: (u, x) => (x == null ? '--' : formatTime(new Date(Math.round(x * 1000)))),
            }].concat(series.map((one, i) => {
                const colour = COLOURS[i % COLOURS.length];
                return {
                    label: one.name,
                    stroke: colour,
                    width: columnChart ? 0 : 1.5,
                    fill: columnChart ? colour + '80' : undefined,
                    paths: bars || undefined,
                    points: columnChart ? {show: false} : undefined,
                    show: visible[i] !== false,
                    spanGaps: true,
                };
            })),
            hooks: {
                setScale: [(u, key) => {
                    if (!ready || key !== 'x' || xs.length === 0)
                        return;
                    const min = u.scales.x.min;
                    const max = u.scales.x.max;
                    const whole = min <= xs[0] && max >= xs[xs.length - 1];
                    external.ChartSetZoomPt1(whole ? 0 : toStamp(min));
                    external.ChartSetZoomPt2(whole ? 0 : toStamp(max));
                }],
                setSeries: [(u, index, change) => {
                    if (ready && index > 0 && change && change.show !== undefined)
                        external.SetLegendVisibility(index - 1, !change.show);
                }],
            },
        };
        const chart = new uPlot(opts, columns, container);
        window.orvakChart = chart;

        const fit = () => {
            const extra = chart.root.offsetHeight - chart.height;
            chart.setSize({width: Math.max(200, window.innerWidth - 14),
                           height: Math.max(120, window.innerHeight - extra - 10)});
        };
        // The legend and title have their sizes once the first drawing is done.
        await new Promise((resolve) => setTimeout(resolve, 0));
        fit();
        window.addEventListener('resize', fit);
        if (zoom1 > 0 && zoom2 > zoom1)
            chart.setScale('x', {min: toX(zoom1), max: toX(zoom2)});
        ready = true;
    }

    window.addEventListener('load', () => {
        new QWebChannel(qt.webChannelTransport, (channel) => {
            const external = channel.objects.external;
            draw(external).catch((error) => {
                showMessage('The graph could not be drawn: ' + error);
            }).finally(() => {
                setTimeout(() => external.ChartDrawn(), 0);
            });
        });
    });
})();
